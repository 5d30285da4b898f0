# The Debian package: what the install rules put under the prefix, moved to
# /usr, with the copyright file and the changelog Debian asks for in
# /usr/share/doc/plakora. scripts/package.sh makes it with CPack.

# The package carries the version the about box shows, read where it is
# written. It begins with a digit and holds only characters a Debian version
# allows, so it serves unchanged; with no revision the package is native,
# whose changelog is changelog.gz.
file(STRINGS "${PROJECT_SOURCE_DIR}/board/board_state.h" plakora_version_line
     REGEX "kVersionString = \"[^\"]+\"")
if(NOT plakora_version_line MATCHES "\"([0-9][0-9A-Za-z.+~]*)\"")
    message(FATAL_ERROR "board/board_state.h holds no version a Debian package can carry")
endif()
set(PLAKORA_PACKAGE_VERSION "${CMAKE_MATCH_1}")

# The copyright file and the changelog belong to the package only: a plain
# `cmake --install` leaves them out, CPack installs their component as well.
set(plakora_changelog_gz "${PROJECT_BINARY_DIR}/changelog.gz")
add_custom_command(OUTPUT "${plakora_changelog_gz}"
    COMMAND "${PLAKORA_GZIP}" -9n -c "${PROJECT_SOURCE_DIR}/data/changelog"
            > "${plakora_changelog_gz}"
    DEPENDS "${PROJECT_SOURCE_DIR}/data/changelog"
    COMMENT "Compressing the changelog"
    VERBATIM)
add_custom_target(plakora_changelog ALL DEPENDS "${plakora_changelog_gz}")
install(FILES data/copyright "${plakora_changelog_gz}" DESTINATION share/doc/plakora
        COMPONENT debian_docs EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plakora)
set(CPACK_PACKAGE_VERSION "${PLAKORA_PACKAGE_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Everything the install rules install, and the documents above.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};ALL;/"
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};debian_docs;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION "${PLAKORA_PACKAGE_VERSION}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(PLAKORA_PACKAGE_MAINTAINER "Plakora makers <makers@plakora.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${PLAKORA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PLAKORA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "desktop message board that shows text, pictures and movies full screen")
set(CPACK_PACKAGE_DESCRIPTION
    "Plakora is a message board for one operator on one computer. In its editor
window the operator composes a board: a main title, a second title, a crawl
line, two multi-line texts, a list of pictures and movies, and the fonts,
sizes, colours and delays of each element. Play shows the board on the whole
screen: the titles stand at the top, the texts scroll upwards in framed
boxes, the crawl line moves along the bottom, pictures and movies follow one
another beside the first text, and a clock may show. A live control panel
changes box sizes and delays while the show runs.
.
Boards are saved as INI text files; the program can play on a screen of the
operator's choice, such as a television or a projector.")

# The libraries the program links, as dpkg-shlibdeps finds them. Movies play
# through GStreamer, whose plugins are not libraries the program links (the
# "bad" set only for the MPEG program streams of .mpg files); WebP
# and TIFF pictures need the Qt image format plugins; a Wayland session is
# met natively with Qt's Wayland platform; a board's default face,
# Arial, is drawn with Liberation Sans, which has its measures; and texts in
# Chinese, Japanese or Korean need a font that has their characters.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-libav, gstreamer1.0-plugins-bad, gstreamer1.0-pulseaudio, qt6-image-formats-plugins, qt6-wayland, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-noto-cjk")

include(CPack)
