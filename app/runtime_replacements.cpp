// Small stand-ins for C++ runtime functions whose library versions link far more than this
// program uses. Defined in the exe itself, they are found before the runtime library is
// searched, so the library's versions stay out.
#include <cstdlib>
#include <string>

namespace __gnu_cxx {

// The library's handler names the escaping exception on stderr, which a windowed program does
// not have, and brings the runtime's whole symbol demangler (45 KB) to do it. No code here
// catches exceptions, so one that escapes ends the program through abort(), as before.
void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx

// The library's throw helpers live in one object that builds every exception type with the
// old copy-on-write string, linking a second string implementation (20 KB); so does the
// system error that std::mutex throws. No code here catches an exception, so a thrown one would
// end the program through the handler above: these end it the same way, directly. All of that
// object's helpers are here, so none of its code is ever linked.
namespace std {

void __throw_bad_exception() {
    std::abort();
}

void __throw_bad_alloc() {
    std::abort();
}

void __throw_bad_array_new_length() {
    std::abort();
}

void __throw_bad_cast() {
    std::abort();
}

void __throw_bad_typeid() {
    std::abort();
}

void __throw_logic_error(const char*) {
    std::abort();
}

void __throw_domain_error(const char*) {
    std::abort();
}

void __throw_invalid_argument(const char*) {
    std::abort();
}

void __throw_length_error(const char*) {
    std::abort();
}

void __throw_out_of_range(const char*) {
    std::abort();
}

void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}

void __throw_runtime_error(const char*) {
    std::abort();
}

void __throw_range_error(const char*) {
    std::abort();
}

void __throw_overflow_error(const char*) {
    std::abort();
}

void __throw_underflow_error(const char*) {
    std::abort();
}

// A lock that cannot be taken.
void __throw_system_error(int) {
    std::abort();
}

}  // namespace std
