# Toolchain file of the `windows-cross` preset: Tallivor.exe for x86_64 Windows, built on Debian 12 with MinGW-w64
# (posix threads) against the Qt for Windows kit in ../shared/qt-mingw and the static libsodium in
# ../shared/libsodium-mingw, with the host tools (moc, rcc, uic) of Debian's qt6-base-dev-tools, which are the same
# Qt version as the kit.
#
#   cmake --preset windows-cross          # unpacks the kit and libsodium into the build folder the first time
#
# Both are build inputs and read-only where they lie: each is unpacked into the build folder, once. A copy elsewhere
# is named with -DTALLIVOR_QT_KIT_ARCHIVE=<file> (-DTALLIVOR_SODIUM_ARCHIVE=<file>) or the environment variable of
# that name.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(tallivor_kit_version 6.4.2)
set(tallivor_kit_name qt-${tallivor_kit_version}-mingw-x86_64)
# libsodium for the operators' PINs, a static library of the version Debian 12's libsodium-dev has.
set(tallivor_sodium_name libsodium-1.0.18-mingw-x86_64)

# Unpacks the build input <name>.tar.xz, which lies read-only in ../shared/<folder>/ (or where -D<variable>=<file>
# or the environment variable <variable> says), into the build folder as <name>/, unless it is whole there already
# (holds <marker>). Into a scratch folder first, then renamed: an interrupted unpacking never passes for a whole one.
function(tallivor_unpack variable folder name marker)
    if(DEFINED ENV{${variable}})
        set(default_archive "$ENV{${variable}}")
    else()
        cmake_path(SET default_archive NORMALIZE
                   "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../../shared/${folder}/${name}.tar.xz")
    endif()
    set(${variable} "${default_archive}" CACHE FILEPATH "${name}.tar.xz, a build input of the Windows program")
    set(archive "$CACHE{${variable}}")
    set(unpacked "${CMAKE_BINARY_DIR}/${name}")
    if(EXISTS "${unpacked}/${marker}")
        return()
    endif()
    if(NOT EXISTS "${archive}")
        message(FATAL_ERROR "${name}.tar.xz is not at ${archive}: set ${variable} to that file")
    endif()
    message(STATUS "Unpacking ${archive}")
    set(scratch "${CMAKE_BINARY_DIR}/${name}-unpacking")
    file(REMOVE_RECURSE "${scratch}" "${unpacked}")
    file(ARCHIVE_EXTRACT INPUT "${archive}" DESTINATION "${scratch}")
    if(NOT EXISTS "${scratch}/${name}/${marker}")
        message(FATAL_ERROR "${archive} does not hold ${name}/${marker}")
    endif()
    file(RENAME "${scratch}/${name}" "${unpacked}")
    file(REMOVE_RECURSE "${scratch}")
endfunction()

# The try_compile projects CMake runs while it checks the compiler read this file again, in folders of their own:
# they are handed the folders of the real build (CMAKE_TRY_COMPILE_PLATFORM_VARIABLES) and never unpack anything.
if(NOT TALLIVOR_QT_KIT_DIR)
    tallivor_unpack(TALLIVOR_QT_KIT_ARCHIVE qt-mingw ${tallivor_kit_name} lib/cmake/Qt6/Qt6Config.cmake)
    tallivor_unpack(TALLIVOR_SODIUM_ARCHIVE libsodium-mingw ${tallivor_sodium_name} lib/libsodium.a)
    set(TALLIVOR_QT_KIT_DIR "${CMAKE_BINARY_DIR}/${tallivor_kit_name}")
    set(TALLIVOR_SODIUM_DIR "${CMAKE_BINARY_DIR}/${tallivor_sodium_name}")
    # moc and rcc write code for the Qt they belong to: a host Qt of another version than the kit's builds a program
    # that fails at run time, not at compile time.
    execute_process(COMMAND /usr/lib/qt6/libexec/moc -v OUTPUT_VARIABLE tallivor_moc ERROR_VARIABLE tallivor_moc)
    string(STRIP "${tallivor_moc}" tallivor_moc)
    if(NOT tallivor_moc STREQUAL "moc ${tallivor_kit_version}")
        message(FATAL_ERROR "The kit is Qt ${tallivor_kit_version}; its host tools must be too (qt6-base-dev-tools), "
                            "but /usr/lib/qt6/libexec/moc -v says: '${tallivor_moc}'")
    endif()
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TALLIVOR_QT_KIT_DIR TALLIVOR_SODIUM_DIR)

# Libraries, headers and CMake packages come from the kit, libsodium and the MinGW-w64 sysroot only; programs from
# the host.
set(CMAKE_FIND_ROOT_PATH "${TALLIVOR_QT_KIT_DIR}" "${TALLIVOR_SODIUM_DIR}" /usr/x86_64-w64-mingw32)
set(CMAKE_PREFIX_PATH "${TALLIVOR_QT_KIT_DIR}" "${TALLIVOR_SODIUM_DIR}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's host tools of the same version, from Debian's packages.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
