# The Debian package: cd build && cpack -G DEB. It holds the install tree under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${DARTS_INSTALL_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "darts dev <dev@darts.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "301 Darts Bar: a 3D count-down darts game")
set(CPACK_PACKAGE_DESCRIPTION
    "A single-player 3D darts game with Japanese texts: count-down 301 against the regulars of a
darts bar, in a single match or an eight-character knock-out tournament. You throw with the
mouse.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The build keeps its debugging symbols; the package ships the game without them.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "darts dev <dev@darts.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries come from dpkg-shlibdeps where it is installed (dpkg-dev), else by name.
# At run time the game also needs a Japanese font (texts stay blank without) and a General MIDI
# sound font (the music stays silent without).
set(darts_runtime_depends "fonts-ipafont-gothic, timgm6mb-soundfont | fluid-soundfont-gm")
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${darts_runtime_depends}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0, libepoxy0, libpng16-16, libjpeg62-turbo, \
zlib1g, libfreetype6, libfontconfig1, libfluidsynth3, libinih1, libstdc++6, libc6, \
${darts_runtime_depends}")
endif()
# SDL and libepoxy open the OpenGL library at run time, so no linked library brings it in.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libgl1")
include(CPack)
