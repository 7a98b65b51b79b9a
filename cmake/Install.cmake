# Installing and packaging. The program keeps its state (the station file) beside itself, so it installs as one
# program folder that the operator can write to: the executable, the language files and the icon side by side,
# directly in the install prefix. The station file is created there at the first close.
#
#   cmake --install build/release --prefix ~/Tallivor
#   cpack --config build/release/CPackConfig.cmake
include_guard(GLOBAL)

install(TARGETS Tallivor RUNTIME DESTINATION .)
install(FILES ${TALLIVOR_LANGUAGE_FILES} DESTINATION .)

if(WIN32 AND CMAKE_HOST_WIN32)
    # The Qt libraries and plugins the executable needs, beside it: windeployqt from the Qt kit built against.
    if(TARGET Qt6::windeployqt)
        set(windeployqt "$<TARGET_FILE:Qt6::windeployqt>")
    else()
        find_program(TALLIVOR_WINDEPLOYQT windeployqt HINTS "${Qt6_DIR}/../../../bin" REQUIRED)
        set(windeployqt "${TALLIVOR_WINDEPLOYQT}")
    endif()
    install(CODE "
        execute_process(
            COMMAND \"${windeployqt}\" --no-translations --no-system-d3d-compiler --no-opengl-sw
                    \"\${CMAKE_INSTALL_PREFIX}/$<TARGET_FILE_NAME:Tallivor>\"
            RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR \"windeployqt failed: \${result}\")
        endif()")
elseif(WIN32)
    # Cross-built (the windows-cross preset): windeployqt is a Windows program, so the same folder is laid out here.
    # The Qt libraries are the DLLs of every Qt module the executable links, directly or not: a module linked later
    # comes along by itself.
    install(FILES $<TARGET_RUNTIME_DLLS:Tallivor> DESTINATION .)
    # The plugins windeployqt takes for a Widgets program: the Windows platform, the styles, the image formats and
    # icon engines, each in the folder of its type.
    get_directory_property(imported_targets IMPORTED_TARGETS)
    foreach(target IN LISTS imported_targets)
        if(NOT target MATCHES "^Qt6::")
            continue()
        endif()
        get_target_property(plugin_type ${target} QT_PLUGIN_TYPE)
        if(plugin_type MATCHES "^(styles|imageformats|iconengines)$" OR target STREQUAL "Qt6::QWindowsIntegrationPlugin")
            install(FILES $<TARGET_FILE:${target}> DESTINATION ${plugin_type})
        endif()
    endforeach()
    if(NOT TARGET Qt6::QWindowsIntegrationPlugin)
        message(FATAL_ERROR "The Qt kit has no Windows platform plugin (Qt6::QWindowsIntegrationPlugin)")
    endif()
    # The MinGW-w64 runtime that the executable and the Qt libraries are linked against.
    foreach(dll IN ITEMS libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
        endif()
        cmake_path(NORMAL_PATH path)
        install(FILES "${path}" DESTINATION .)
    endforeach()
    # `cmake --install --strip` strips the executable (install(TARGETS) above); the DLLs beside it are stripped of
    # their debug information likewise (nearly 22 MB of libstdc++-6.dll's 23.7 MB). The windows-package script
    # installs this way.
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
            foreach(dll IN LISTS dlls)
                execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${dll}\" RESULT_VARIABLE result)
                if(NOT result EQUAL 0)
                    message(FATAL_ERROR \"stripping \${dll} failed: \${result}\")
                endif()
            endforeach()
        endif()")
    # The licences of what the folder ships besides the program: Qt with where its exact source is and the recipe
    # its DLLs were built by, the code of others built into Qt's DLLs, the MinGW-w64 runtime, and libsodium, which
    # is built into the executable (the toolchain file unpacked it with its licence).
    install(DIRECTORY "${PROJECT_SOURCE_DIR}/resources/windows/licenses/" DESTINATION licenses)
    install(PROGRAMS "${PROJECT_SOURCE_DIR}/scripts/build-qt-mingw.sh" DESTINATION licenses)
    install(FILES "${TALLIVOR_SODIUM_DIR}/LICENSE" DESTINATION licenses RENAME libsodium.txt)
endif()
# The program's own licence, as a text file Windows opens with a double-click.
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . RENAME LICENSE.txt)

set(CPACK_PACKAGE_NAME Tallivor)
set(CPACK_PACKAGE_VENDOR "The Tallivor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_FILE_NAME "Tallivor-${CPACK_PACKAGE_VERSION}-${CMAKE_SYSTEM_NAME}")
# The archive unpacks into one folder, the program folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")
if(WIN32)
    set(CPACK_GENERATOR ZIP)
else()
    set(CPACK_GENERATOR TGZ)
endif()
include(CPack)
