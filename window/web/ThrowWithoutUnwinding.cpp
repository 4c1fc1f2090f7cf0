// Debian's wasm32 C++ runtime is built without exception handling: nothing can unwind to a
// catch there. In WebAssembly a throw therefore ends the program, as an exception that
// nobody catches ends a native one: it writes the failure's line, as the desktop program
// does, and aborts, which stops the module with a trap that its host reports.

#include "surface/SurfaceError.h"
#include "window/Failure.h"

#include <cstdlib>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <unistd.h>

namespace {

// What the thrown object says. Without the runtime's catch machinery a base class cannot be
// found from the thrown type, so the types the program and its library throw are named.
template <typename Thrown, typename... Others>
const char* whatOf(void* thrown, const std::type_info& type)
{
    if (type == typeid(Thrown))
        return static_cast<const Thrown*>(thrown)->what();
    if constexpr (sizeof...(Others) > 0)
        return whatOf<Others...>(thrown, type);
    else
        return nullptr;
}

[[noreturn]] void endWith(const std::string& cause)
{
    const std::string line = failureLine({FailureKind::Bug, cause});
    const ssize_t written = write(STDERR_FILENO, line.data(), line.size());
    static_cast<void>(written);
    std::abort();
}

} // namespace

extern "C" void* __cxa_allocate_exception(std::size_t size) noexcept
{
    return std::malloc(size);
}

extern "C" [[noreturn]] void __cxa_throw(void* thrown, std::type_info* type, void (*)(void*))
{
    const char* what = thrown == nullptr
                           ? nullptr
                           : whatOf<SurfaceError, std::bad_alloc, std::bad_array_new_length, std::length_error,
                                    std::out_of_range, std::invalid_argument, std::runtime_error,
                                    std::logic_error, std::exception>(thrown, *type);
    endWith(what != nullptr ? what : std::string("an exception of type ") + type->name());
}
