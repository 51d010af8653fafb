#include "tests/doubles/fake_user.h"

int FakeUser::MessageBoxA(platform::Window owner, const char* text, const char* caption,
                          std::uint32_t type) {
    boxes.push_back(Box{owner, text ? text : "", caption ? caption : "", type});
    return 1;
}
