#pragma once

#include "framework/property_page.h"

// The about page: version, operating system, help and the maker's links.
class CP6 : public CPropertyPage {
  public:
    CP6();
};
