# SPDX-License-Identifier: GPL-2.0-or-later
# Installing the programs (the rest installs from res/ and docs/) and the Debian package made
# from that installation by CPack: `scripts/package` builds it in Release and checks it.

set(programs tallyhawk tallyhawk-query qw-demo-server)
# The programs link only system libraries: no run path, neither in the build tree nor
# installed. The padding CMake would otherwise leave for rewriting it at install breaks the
# start-up of the static tallyhawk-query.
set_target_properties(${programs} PROPERTIES SKIP_BUILD_RPATH ON INSTALL_RPATH "")
install(TARGETS ${programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Debian's own files in the package's documentation folder: the copyright notice and the
# changelog of a native package, compressed as Debian wants.
set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
    COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_target(tallyhawk_changelog ALL DEPENDS ${changelog})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${changelog}
        DESTINATION ${TALLYHAWK_DOCDIR})

# The project has no public address yet: .invalid says so plainly until one is given here.
set(TALLYHAWK_PACKAGE_MAINTAINER "Tallyhawk developers <maintainers@tallyhawk.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallyhawk)
set(CPACK_PACKAGE_VENDOR "${TALLYHAWK_PRODUCT_NAME}")
set(CPACK_PACKAGE_VERSION "${TALLYHAWK_PACKAGE_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "QuakeWorld server monitor with team frag totals")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION "${TALLYHAWK_PACKAGE_VERSION}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TALLYHAWK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Observe button finds and starts the qw:// handler with xdg-utils; without it the button
# shows its notice.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The extended description, under the summary: CPack indents each line by one space as the
# control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "${TALLYHAWK_COMMENTS}
Tallyhawk watches one QuakeWorld server during a match: every few seconds
it sends the status query and shows the server's settings, the players
ordered by frags with their colours, the total frags, the longest connect
time and the frag totals of three teams, defined by colour number or by
skin name.
.
The package holds the window (tallyhawk), a command-line companion that
prints the same standings as text or JSON (tallyhawk-query), and a simulated
server on loopback for demos (qw-demo-server).")
include(CPack)
