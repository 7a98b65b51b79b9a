# Installing and packaging. The program keeps its state (the station file) beside itself, so it installs as one
# program folder that the operator can write to: the executable, the language files and the icon side by side,
# directly in the install prefix. The station file is created there at the first close.
#
#   cmake --install build/release --prefix ~/Tallivor
#   cpack --config build/release/CPackConfig.cmake
include_guard(GLOBAL)

install(TARGETS Tallivor RUNTIME DESTINATION .)
install(FILES ${TALLIVOR_LANGUAGE_FILES} DESTINATION .)

if(WIN32)
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
endif()

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
