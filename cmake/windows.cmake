# The Windows program: a window program (no console), with the icon and the
# version information Explorer shows. scripts/windows.sh packs it into the
# portable zip and the installer (dist/windows/).

set_target_properties(olvani-trainer PROPERTIES WIN32_EXECUTABLE ON)

# The .exe's icon from the same 16x16 XPM as the window icon, enlarged pixel
# by pixel for Explorer's larger views (ImageMagick).
find_program(OLVANI_CONVERT convert REQUIRED)
set(olvani_ico ${CMAKE_CURRENT_BINARY_DIR}/olvani.ico)
add_custom_command(
    OUTPUT ${olvani_ico}
    COMMAND ${OLVANI_CONVERT} ${CMAKE_CURRENT_SOURCE_DIR}/ui/olvani.xpm
            ( -clone 0 -scale 200% ) ( -clone 0 -scale 300% ) ( -clone 0 -scale 1600% ) ${olvani_ico}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/olvani.xpm
    COMMENT "Making the Windows icon"
    VERBATIM)
# The program lives in ui/: it sees the icon's rule only through a target.
add_custom_target(olvani-ico DEPENDS ${olvani_ico})
add_dependencies(olvani-trainer olvani-ico)

set(OLVANI_ICO ${olvani_ico})
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/dist/windows/olvani-trainer.rc.in
               ${CMAKE_CURRENT_BINARY_DIR}/olvani-trainer.rc @ONLY)
target_sources(olvani-trainer PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/olvani-trainer.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/olvani-trainer.rc PROPERTIES OBJECT_DEPENDS ${olvani_ico})

# CTest runs the test programs under Wine, in the prefix scripts/windows.sh
# names (OLVANI_WINEPREFIX), through a small wrapper.
if(CMAKE_CROSSCOMPILING AND OLVANI_WINEPREFIX)
    set(OLVANI_WINE_HOME "${OLVANI_WINEPREFIX}-home")
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-emulator.sh.in ${PROJECT_BINARY_DIR}/wine-emulator.sh @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-emulator.sh)
endif()
