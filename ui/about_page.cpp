#include "ui/about_page.h"

#include "res/resource.h"

CP6::CP6() : CPropertyPage(IDD_ABOUT_PAGE) {}
