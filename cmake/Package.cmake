# `cpack -G DEB` in the build folder: astrolattix_VERSION_ARCH.deb, installing under /usr. Its
# dependencies are the runtime libraries the programs link (found by dpkg-shlibdeps), and Qt's
# platform plugins, which nothing links but the window needs to open.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME astrolattix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Astrolattix developers")
set(CPACK_PACKAGE_CONTACT "The Astrolattix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "generator of imaginary star systems and star clusters")
set(CPACK_PACKAGE_DESCRIPTION
  "Astrolattix generates imaginary star systems and star clusters for game
masters, world-builders and science-fiction writers: roll a system at random
or from given star data, survey its worlds and moons, watch it turn on its
orbits, name it and save it. The desktop program, astrolattix, comes with a
command-line tool, astrolattix-cli, that works without a display.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ASTROLATTIX_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(ASTROLATTIX_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
