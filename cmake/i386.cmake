# SPDX-License-Identifier: MIT
# A 32-bit x86 build (Debian's g++-multilib), run under qemu-i386 (Debian's
# qemu-user) so that it runs whether or not the kernel runs i386 programs.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i386)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
