# Builds the core and the web page's module for WebAssembly (wasm32, WASI preview 1) with
# Debian's clang, lld, wasi-libc and the wasm32 libc++ of the same LLVM. Only one wasm32
# libc++ can be installed at a time: its headers' link names the LLVM, and the compiler is
# taken from that same LLVM. Commands built here run under Node.js's WASI, tests included.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)

file(REAL_PATH /usr/include/wasm32-wasi/c++/v1 libcxx_headers)
if(NOT EXISTS "${libcxx_headers}" OR NOT libcxx_headers MATCHES "/llvm-([0-9]+)/")
    message(FATAL_ERROR "no wasm32 libc++ is installed (tools/setup web installs one)")
endif()
set(llvm_version ${CMAKE_MATCH_1})
set(CMAKE_C_COMPILER clang-${llvm_version})
set(CMAKE_CXX_COMPILER clang++-${llvm_version})
# The target's name from LLVM 20 on; the older one, which LLVM 19 knows its runtime under,
# is deprecated there.
if(llvm_version VERSION_LESS 20)
    set(target wasm32-wasi)
else()
    set(target wasm32-wasip1)
endif()
set(CMAKE_C_COMPILER_TARGET ${target})
set(CMAKE_CXX_COMPILER_TARGET ${target})

# Debian keeps the WASI files under the older name, wasm32-wasi, which a newer clang no
# longer looks in: the folders are named here.
set(CMAKE_SYSROOT /usr)
set(CMAKE_C_FLAGS_INIT "-isystem /usr/include/wasm32-wasi")
set(CMAKE_CXX_FLAGS_INIT "-nostdinc++ -isystem ${libcxx_headers} -isystem /usr/include/wasm32-wasi")
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-fuse-ld=lld -B/usr/lib/wasm32-wasi/ -L/usr/lib/wasm32-wasi -L/usr/lib/llvm-${llvm_version}/lib/wasm32-wasi")

# What every browser has had since 2021 and Node.js since 16: a float's truncation in one
# instruction that cannot trap, memory filled and copied in one, and 128-bit vectors.
string(APPEND CMAKE_CXX_FLAGS_INIT " -mnontrapping-fptoint -mbulk-memory -msimd128")
# Optimised across files at the link, so that a stage's presentation and the lines of a
# drawing inline as one program's. The archives then hold LLVM bitcode, which GNU ar indexes
# through LLVM's plugin for it (llvm-NN-linker-tools); without the plugin, no link-time
# optimisation.
if(EXISTS /usr/lib/bfd-plugins/LLVMgold-${llvm_version}.so)
    string(APPEND CMAKE_CXX_FLAGS_INIT " -flto")
    string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -flto")
    set(CMAKE_AR /usr/bin/ar)
    set(CMAKE_RANLIB /usr/bin/ranlib)
endif()

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-warnings ${CMAKE_CURRENT_LIST_DIR}/wasi-run.mjs)
