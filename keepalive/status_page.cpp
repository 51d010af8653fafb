#include "keepalive/status_page.h"

#include "res/resource.h"

CP10::CP10() : CPropertyPage(IDD_STATUS_PAGE) {}
