# Installation layout and the Debian package.
#
# `cmake --install` lays out, under the prefix: the two programs in bin/, the
# help pages and the title picture in share/tabulorix/ (app/help_pages.cpp
# finds them at <bindir>/../share/tabulorix), the desktop entry, the AppStream
# metainfo, the MIME type of design files and the icons where the desktop
# looks for them, the man pages, and the copyright and changelog in
# share/doc/tabulorix. `cpack` (scripts/package) turns the same tree into a
# Debian package.

include(GNUInstallDirs)

# One reverse-DNS id names the desktop entry, the AppStream component and the
# program's desktop file name (app/main.cpp), and the application icon.
set(TABULORIX_APP_ID "io.github.tabulorix.Tabulorix")
set(TABULORIX_DATA_DESTINATION "${CMAKE_INSTALL_DATADIR}/tabulorix")
set(TABULORIX_DOC_DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/tabulorix")

if(TARGET tabulorix-cli)
  install(TARGETS tabulorix-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
endif()

if(TARGET tabulorix)
  install(TARGETS tabulorix RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
  target_compile_definitions(tabulorix PRIVATE
    TABULORIX_VERSION="${PROJECT_VERSION}" TABULORIX_APP_ID="${TABULORIX_APP_ID}")
  # The window icon travels inside the program, so it shows wherever the
  # program runs from (the build tree included).
  qt_add_resources(tabulorix tabulorix_icon PREFIX "/icons" BASE "${CMAKE_SOURCE_DIR}/data/icons"
    FILES "${CMAKE_SOURCE_DIR}/data/icons/${TABULORIX_APP_ID}.svg")
endif()

# Binaries of a release build are linked read-only-after-relocation and bound
# at start, as Debian's hardening expects of installed programs.
foreach(program tabulorix tabulorix-cli)
  if(TARGET ${program})
    target_link_options(${program} PRIVATE "$<$<CONFIG:Release>:LINKER:-z,relro,-z,now>")
  endif()
endforeach()

install(DIRECTORY data/help DESTINATION "${TABULORIX_DATA_DESTINATION}")
install(FILES data/title.jpg DESTINATION "${TABULORIX_DATA_DESTINATION}")

install(FILES "data/desktop/${TABULORIX_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "data/desktop/${TABULORIX_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "data/desktop/${TABULORIX_APP_ID}.mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME "${TABULORIX_APP_ID}.xml")

install(FILES "data/icons/${TABULORIX_APP_ID}.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "data/icons/application-x-tabulorix-design.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes")
install(DIRECTORY data/icons/hicolor DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")

# Man pages and the changelog are installed compressed, as Debian wants them.
set(packaging_dir "${CMAKE_BINARY_DIR}/packaging")
set(compressed_files)
foreach(source IN ITEMS data/man/tabulorix.1 data/man/tabulorix-cli.1 data/package/changelog)
  get_filename_component(name "${source}" NAME)
  set(output "${packaging_dir}/${name}.gz")
  add_custom_command(OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${packaging_dir}"
    COMMAND gzip -9 -n -c "${CMAKE_SOURCE_DIR}/${source}" > "${output}"
    DEPENDS "${CMAKE_SOURCE_DIR}/${source}" VERBATIM)
  list(APPEND compressed_files "${output}")
endforeach()
add_custom_target(tabulorix_package_files ALL DEPENDS ${compressed_files})
install(FILES "${packaging_dir}/tabulorix.1.gz" "${packaging_dir}/tabulorix-cli.1.gz"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES data/package/copyright "${packaging_dir}/changelog.gz"
        DESTINATION "${TABULORIX_DOC_DESTINATION}")

# The Debian package. Library dependencies come from dpkg-shlibdeps; the rest
# is what the programs need or use at run time without linking it.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tabulorix")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Tabulorix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Oracle schema diagrams, DDL scripts and lists")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tabulorix reads an Oracle schema from the data dictionary (tables, columns,
keys, foreign keys, check conditions, indexes, views and privileges), follows
every foreign key into the other owners it references, and shows the
catalogue as a tree, as lists and as an entity-relationship diagram laid out
over a grid of paper pages. The work is saved as a design file (.tlx) that
opens again without a database.
.
From a design it writes DDL scripts, CSV lists, EMF, SVG, PNG and PDF
pictures, printed pages and Word documents. The user interface is Japanese,
or English when the user's language is English; tabulorix-cli runs the same
work without a window.
.
Oracle databases are reached through unixODBC and Oracle's own ODBC driver,
which is not part of Debian; dictionary snapshot files (SQLite) are read
without a database.")
set(TABULORIX_MAINTAINER "The Tabulorix developers <tabulorix@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TABULORIX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "database")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/tabulorix/tabulorix")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The diagram's default font; design files name it, and box sizes follow it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
# The other IPA faces and a fallback for CJK text, Qt's own dialogs in
# Japanese, the desktop's opener for help pages and Word files, and
# odbcinst to register the Oracle ODBC driver.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-ipafont-mincho, fonts-noto-cjk, qt6-translations-l10n, xdg-utils, odbcinst")
# Programs that open what Tabulorix writes (Word files, EMF pictures), and
# Wayland without XWayland.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-writer, libreoffice-draw, qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
include(CPack)
