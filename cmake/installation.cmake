# Installation into a Unix prefix (menu entry, icons, AppStream data, sample
# vocabulary) and the Debian package made from it with `cpack -G DEB`.

include(GNUInstallDirs)

# One id names the menu entry, the icons and the AppStream component.
set(OLVANI_APP_ID de.olvani.trainer)
set(olvani_dist ${CMAKE_CURRENT_SOURCE_DIR}/dist)

# The program. Started from the menu it runs in the learner's home folder and
# so reads ~/olvani.txt (the desktop entry sets no Path on purpose).
# Its libraries all come from the system, so it needs no RPATH of its own
# (qt_standard_project_setup() would give it $ORIGIN/../lib).
set_target_properties(olvani-trainer PROPERTIES INSTALL_RPATH "")
install(TARGETS olvani-trainer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Icon themes take PNG or SVG, not XPM: a few lines of QtGui render the
# 16x16 XPM to PNG at build time, so the two can never drift apart.
add_executable(olvani-icon-png ${olvani_dist}/icon-png.cpp)
target_link_libraries(olvani-icon-png PRIVATE Qt6::Gui)
set(olvani_icon_png ${CMAKE_CURRENT_BINARY_DIR}/${OLVANI_APP_ID}.png)
add_custom_command(
    OUTPUT ${olvani_icon_png}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:olvani-icon-png> ${CMAKE_CURRENT_SOURCE_DIR}/ui/olvani.xpm ${olvani_icon_png}
    DEPENDS olvani-icon-png ${CMAKE_CURRENT_SOURCE_DIR}/ui/olvani.xpm
    COMMENT "Rendering the 16x16 icon to PNG"
    VERBATIM)
add_custom_target(olvani-icon ALL DEPENDS ${olvani_icon_png})

set(olvani_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${olvani_icon_png} DESTINATION ${olvani_icons}/16x16/apps)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/ui/olvani.svg
        DESTINATION ${olvani_icons}/scalable/apps RENAME ${OLVANI_APP_ID}.svg)

install(FILES ${olvani_dist}/${OLVANI_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The AppStream metainfo carries the project version as its newest release.
# AppStream 1.0 (Debian 13) names the developer in <developer id><name> and
# calls <developer_name> deprecated; 0.16 (Debian 12) knows only
# <developer_name>. The file takes the form the system's AppStream reads.
set(olvani_appstream_version 1.0)
find_program(OLVANI_APPSTREAMCLI appstreamcli)
if(OLVANI_APPSTREAMCLI)
    execute_process(COMMAND ${OLVANI_APPSTREAMCLI} --version OUTPUT_VARIABLE olvani_ausgabe ERROR_QUIET)
    if(olvani_ausgabe MATCHES "([0-9]+\\.[0-9]+)")
        set(olvani_appstream_version ${CMAKE_MATCH_1})
    endif()
endif()
if(olvani_appstream_version VERSION_LESS 1.0)
    set(OLVANI_ENTWICKLER "<developer_name>Olvani-Trainer-Team</developer_name>")
else()
    set(OLVANI_ENTWICKLER "<developer id=\"org.example.olvani\">\n    <name>Olvani-Trainer-Team</name>\n  </developer>")
endif()
set(olvani_metainfo ${CMAKE_CURRENT_BINARY_DIR}/${OLVANI_APP_ID}.metainfo.xml)
configure_file(${olvani_dist}/${OLVANI_APP_ID}.metainfo.xml.in ${olvani_metainfo} @ONLY)
install(FILES ${olvani_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Documentation: licence terms, the Debian changelog, the sample word list
# and the manual pages (English, and German for the learners).
set(olvani_doc ${CMAKE_INSTALL_DATADIR}/doc/olvani-trainer)
install(FILES ${olvani_dist}/copyright DESTINATION ${olvani_doc})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/examples/olvani.txt DESTINATION ${olvani_doc}/examples)

# Debian wants these compressed with gzip -9n (no name, no time stamp, so
# that the package builds the same twice).
set(olvani_gepackt)
function(olvani_gzip quelle ziel)
    add_custom_command(
        OUTPUT ${ziel}
        COMMAND gzip -9n -c ${quelle} > ${ziel}
        DEPENDS ${quelle}
        VERBATIM)
    set(olvani_gepackt ${olvani_gepackt} ${ziel} PARENT_SCOPE)
endfunction()
set(olvani_gz ${CMAKE_CURRENT_BINARY_DIR}/gz)
file(MAKE_DIRECTORY ${olvani_gz}/de)
olvani_gzip(${olvani_dist}/changelog.Debian ${olvani_gz}/changelog.Debian.gz)
olvani_gzip(${olvani_dist}/man/olvani-trainer.1 ${olvani_gz}/olvani-trainer.1.gz)
olvani_gzip(${olvani_dist}/man/de/olvani-trainer.1 ${olvani_gz}/de/olvani-trainer.1.gz)
add_custom_target(olvani-doku ALL DEPENDS ${olvani_gepackt})
install(FILES ${olvani_gz}/changelog.Debian.gz DESTINATION ${olvani_doc})
install(FILES ${olvani_gz}/olvani-trainer.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${olvani_gz}/de/olvani-trainer.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/de/man1)
# lintian reads its overrides from the installed package.
install(FILES ${olvani_dist}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME olvani-trainer)

# Debian package: olvani-trainer_<version>_<arch>.deb
set(CPACK_PACKAGE_NAME olvani-trainer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The Debian revision makes it a package of an upstream version, whose
# changelog is changelog.Debian.gz; raise it when only the packaging changes.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR "Olvani-Trainer-Team")
set(CPACK_PACKAGE_CONTACT "Olvani-Trainer-Team <olvani@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vocabulary trainer for the Olvani language")
# CPack puts the summary above this as the first line of the description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A vocabulary trainer for German speakers who learn Olvani. It reads the
word list olvani.txt, asks for the Olvani word or one of its German
meanings, checks the typed answer exactly and keeps a running score.
.
Started from the menu it reads ~/olvani.txt; a sample list is in
/usr/share/doc/olvani-trainer/examples.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (from dpkg-dev) adds the Qt 6, libc and libstdc++ packages;
# the fonts are loaded by name at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
include(CPack)
