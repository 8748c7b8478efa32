# The Debian package: `cpack -G DEB` in the build directory makes rivwood_<version>_<arch>.deb that
# installs under /usr. Library dependencies are computed by dpkg-shlibdeps; the Qt plugins the
# programs load at run time (platform plugins, SVG icons) are named here because no
# linker dependency shows them.
include_guard(GLOBAL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rivwood)
set(CPACK_PACKAGE_VENDOR "Rivwood s.r.o.")
set(CPACK_PACKAGE_CONTACT "Rivwood s.r.o. <podpora@rivwood.cz>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "JHK calipering tally sheet for riparian stands")
set(CPACK_PACKAGE_DESCRIPTION
    "Rivwood is a tally sheet for forest surveyors who assess riparian stands
by full calipering. Per stand and tree species the trees are tallied by
diameter class; the program derives the mean stem, computes the timber stock
by the JHK unified height curves and volume tables, builds the stand summary,
keeps stands in a local or shared database, imports electronic caliper files,
prints stand reports and exports to spreadsheet workbooks. The interface is
in Czech.
.
The package holds the windowed program rivwood, the command line program
rivwood-cli and the about panel showplate.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.rivwood.cz/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)
