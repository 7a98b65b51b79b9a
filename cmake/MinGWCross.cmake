# Toolchain file of the `windows-cross` preset: Tallivor.exe for x86_64 Windows, built on Debian 12 with MinGW-w64
# (posix threads) against the Qt for Windows kit in ../shared/qt-mingw, with the host tools (moc, rcc, uic) of
# Debian's qt6-base-dev-tools, which are the same Qt version as the kit.
#
#   cmake --preset windows-cross          # unpacks the kit into the build folder the first time
#
# The kit is a build input and read-only where it lies: it is unpacked into the build folder, once. A copy of it
# elsewhere is named with -DTALLIVOR_QT_KIT_ARCHIVE=<file> or the environment variable of that name.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(tallivor_kit_version 6.4.2)
set(tallivor_kit_name qt-${tallivor_kit_version}-mingw-x86_64)
# The try_compile projects CMake runs while it checks the compiler read this file again, in folders of their own:
# they are handed the kit folder of the real build (CMAKE_TRY_COMPILE_PLATFORM_VARIABLES) and never unpack it.
if(NOT TALLIVOR_QT_KIT_DIR)
    if(DEFINED ENV{TALLIVOR_QT_KIT_ARCHIVE})
        set(tallivor_default_archive "$ENV{TALLIVOR_QT_KIT_ARCHIVE}")
    else()
        cmake_path(SET tallivor_default_archive NORMALIZE
                   "${CMAKE_CURRENT_LIST_DIR}/../../shared/qt-mingw/${tallivor_kit_name}.tar.xz")
    endif()
    set(TALLIVOR_QT_KIT_ARCHIVE "${tallivor_default_archive}"
        CACHE FILEPATH "The Qt for Windows kit (MinGW-w64, x86_64), a .tar.xz holding ${tallivor_kit_name}/")
    set(TALLIVOR_QT_KIT_DIR "${CMAKE_BINARY_DIR}/${tallivor_kit_name}")
    if(NOT EXISTS "${TALLIVOR_QT_KIT_DIR}/lib/cmake/Qt6/Qt6Config.cmake")
        if(NOT EXISTS "${TALLIVOR_QT_KIT_ARCHIVE}")
            message(FATAL_ERROR "The Qt for Windows kit is not at ${TALLIVOR_QT_KIT_ARCHIVE}: "
                                "set TALLIVOR_QT_KIT_ARCHIVE to the ${tallivor_kit_name}.tar.xz file")
        endif()
        message(STATUS "Unpacking ${TALLIVOR_QT_KIT_ARCHIVE}")
        # Into a scratch folder first, then renamed: an interrupted unpacking never passes for a whole kit.
        set(tallivor_unpack_dir "${CMAKE_BINARY_DIR}/qt-kit-unpacking")
        file(REMOVE_RECURSE "${tallivor_unpack_dir}" "${TALLIVOR_QT_KIT_DIR}")
        file(ARCHIVE_EXTRACT INPUT "${TALLIVOR_QT_KIT_ARCHIVE}" DESTINATION "${tallivor_unpack_dir}")
        if(NOT EXISTS "${tallivor_unpack_dir}/${tallivor_kit_name}/lib/cmake/Qt6/Qt6Config.cmake")
            message(FATAL_ERROR "${TALLIVOR_QT_KIT_ARCHIVE} does not hold ${tallivor_kit_name}/lib/cmake/Qt6")
        endif()
        file(RENAME "${tallivor_unpack_dir}/${tallivor_kit_name}" "${TALLIVOR_QT_KIT_DIR}")
        file(REMOVE_RECURSE "${tallivor_unpack_dir}")
    endif()
    # moc and rcc write code for the Qt they belong to: a host Qt of another version than the kit's builds a program
    # that fails at run time, not at compile time.
    execute_process(COMMAND /usr/lib/qt6/libexec/moc -v OUTPUT_VARIABLE tallivor_moc ERROR_VARIABLE tallivor_moc)
    string(STRIP "${tallivor_moc}" tallivor_moc)
    if(NOT tallivor_moc STREQUAL "moc ${tallivor_kit_version}")
        message(FATAL_ERROR "The kit is Qt ${tallivor_kit_version}; its host tools must be too (qt6-base-dev-tools), "
                            "but /usr/lib/qt6/libexec/moc -v says: '${tallivor_moc}'")
    endif()
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TALLIVOR_QT_KIT_DIR)

# Libraries, headers and CMake packages come from the kit and the MinGW-w64 sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH "${TALLIVOR_QT_KIT_DIR}" /usr/x86_64-w64-mingw32)
set(CMAKE_PREFIX_PATH "${TALLIVOR_QT_KIT_DIR}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's host tools of the same version, from Debian's packages.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
