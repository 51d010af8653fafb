#pragma once

// Resources of the Wine tests only: pictures whose every pixel the tests know.

// 30 x 15, 16 colors: magenta background, frame 0 filled navy and frame 1 filled green from
// (1, 1) to (13, 13) of each frame.
#define IDB_TEST_LAMP 901
// 24 x 16, every pixel opaque pure blue.
#define IDI_TEST_SOLID 902
