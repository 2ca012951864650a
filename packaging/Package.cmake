# The Debian package vuro, made by CPack from the install rules: `cpack -G DEB` in the build
# folder (./vuro.sh package does it). Everything goes under /usr; the package's Depends come
# from the binaries themselves (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vuro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Brellmoor)
set(CPACK_PACKAGE_CONTACT ${VURO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML source editor for Shift-JIS pages")
set(CPACK_PACKAGE_DESCRIPTION
    "Vuro is a desktop HTML source editor for Japanese web authors who write\n\
their pages in Shift-JIS (code page 932). Pages are read and written byte\n\
for byte: nothing is ever converted. Markup is built with menu commands,\n\
tool-bar buttons, function keys and tag dialogs; a wizard starts new pages\n\
from templates. The user interface is in Japanese.")
# The install rules write the menu entries with the prefix they install to, so the package is
# staged with DESTDIR under its real prefix.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help library tries sensible-browser among the viewers of its pages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS sensible-utils)
# A Japanese font to show the pages with, the desktop's opener for the preview and the help,
# the Japanese input method in Qt programs, and Qt's own dialogs in Japanese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic, xdg-utils, fcitx5-frontend-qt6 | ibus, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
