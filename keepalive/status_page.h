#pragma once

#include "framework/property_page.h"

// The status page: the keep-alive lamps and buttons.
class CP10 : public CPropertyPage {
  public:
    CP10();
};
