# The window-free code and its tests for 32-bit x86 Linux (gcc -m32, Debian's multilib and i386
# libraries), where size_t is 32 bits as in the product. The tests run under qemu-i386, so they
# also run where the kernel refuses 32-bit programs.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# 64-bit file offsets and inode numbers, as every 32-bit Linux program needs today: without them
# stat() and readdir() fail with EOVERFLOW on large file systems.
set(CMAKE_C_FLAGS_INIT "-m32 -D_FILE_OFFSET_BITS=64")
set(CMAKE_CXX_FLAGS_INIT "-m32 -D_FILE_OFFSET_BITS=64")
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)

# Only the i386 libraries: the host's 64-bit ones must never be picked up.
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /lib/x86_64-linux-gnu)

find_program(VANTREL_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTREL_QEMU_I386})
