#pragma once

#include "settings/shell_link.h"

#include <intshcut.h>

// An internet shortcut (.url): the record's target is the URL. The fields beyond the URL are
// kept where the system's internet shortcut also offers the shell-link interface.
class UrlShellLink : public ShellLink {
  public:
    bool Initialise() override;
    bool Save(const std::string& file) override;
    bool Load(const std::string& file) override;
    // Opens the record's URL with its default verb; parent may be null.
    bool Invoke(HWND parent);

  private:
    OwnedCom<IUniformResourceLocatorW> m_locator;
};
