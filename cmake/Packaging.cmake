# Installing (cmake --install) and the Debian package (cpack -G DEB):
# bin/orvana and bin/orvana-cli, lib/orvana/liborvana-desktop.so, and under
# share/ the menu entry, the icons and the AppStream metainfo.
include(GNUInstallDirs)
if(ORVANA_BUILD_DESKTOP)
  add_subdirectory(data)
endif()

set(CPACK_PACKAGE_NAME orvana)
set(CPACK_PACKAGE_VENDOR "Orvana Project")
set(CPACK_PACKAGE_CONTACT "Orvana Project <team@orvana.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://orvana.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "MPEG audio player for the notification area")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvana plays MPEG-1, MPEG-2 and MPEG-2.5 audio files (Layers I, II and III,
among them MP3) with its own decoder and lives behind an icon in the
notification area. It keeps a playlist with repeat and shuffle, shows tags and
timed lyrics, and has sleep and wake-up timers. Its interface is Japanese.
The package also holds orvana-cli, which decodes, plays and describes MPEG
audio files from the command line.")
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # orvana_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the libraries the binaries link. liborvana-desktop.so is
# loaded with dlopen, so nothing needs it as a dependency of its own, and the
# Qt platform plugins it loads come with libqt6gui6, which it links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libcurl, libpulse and libasound are loaded with dlopen when first used
# (a station, the sound server, an ALSA device): named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4, libpulse0, libasound2")
# The Japanese interface needs a Japanese font; Wayland sessions want Qt's
# Wayland plugin; ALSA's "default" reaches PulseAudio through its plugins;
# HTTPS stations are checked against the system's certificates.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-wayland, libasound2-plugins, ca-certificates")

# `package_source` packs the sources, never a build folder or the history.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build/")

include(CPack)
