// Debian's wasm32 C++ runtime is built without exception handling: nothing can unwind to a
// catch there. In WebAssembly a throw therefore ends the program, as an exception that
// nobody catches ends a native one: it writes the failure's line, as the desktop program
// does, and aborts, which stops the module with a trap that its host reports. So does memory
// that the host refuses, which that runtime's own operator new would only abort on, with a
// line of its own.

#include "surface/SurfaceError.h"
#include "window/Failure.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
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

[[noreturn]] void endWith(const Failure& failure)
{
    const std::string line = failureLine(failure);
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
    endWith({FailureKind::Bug, what != nullptr ? what : std::string("an exception of type ") + type->name()});
}

// The memory a picture needs is the one thing the browser may refuse the page. The line is
// made without asking for more, which may be refused too.
void* operator new(std::size_t size)
{
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    static char line[256];
    const std::string_view headline = failureHeadline(FailureKind::WindowSystem);
    const int length = std::snprintf(line, sizeof line, "dragonfold: %.*s the browser refused the memory the window needs: %zu bytes\n",
                                     static_cast<int>(headline.size()), headline.data(), size);
    const ssize_t written = write(STDERR_FILENO, line, static_cast<std::size_t>(length));
    static_cast<void>(written);
    std::abort();
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
}
