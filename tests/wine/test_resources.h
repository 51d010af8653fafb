#pragma once

// Resources of the Wine tests only: pictures whose every pixel the tests know.

// 30 x 15, 16 colors: magenta background, frame 0 filled navy and frame 1 filled green from
// (1, 1) to (13, 13) of each frame.
#define IDB_TEST_LAMP 901
// 24 x 16, every pixel opaque pure blue.
#define IDI_TEST_SOLID 902
// The same dialog in both template forms: OK, a text, Cancel and a last button, in that order.
#define IDD_TEST_PLAIN 903
#define IDD_TEST_EXTENDED 904
#define IDC_TEST_TEXT 905
#define IDC_TEST_LAST 906
