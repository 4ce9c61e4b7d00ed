# Run by cpack before it packs: the package's changelog and its AppStream
# description must both have an entry for the version being packed.
file(STRINGS ${CPACK_RQ7_PACKAGING_DIR}/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^rq7-init \\(${CPACK_RQ7_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry is not for ${CPACK_RQ7_VERSION}: ${newest}")
endif()
file(READ ${CPACK_RQ7_PACKAGING_DIR}/org.rq7.rq7init.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"${CPACK_RQ7_VERSION}\"")
  message(FATAL_ERROR "packaging/org.rq7.rq7init.metainfo.xml: no release ${CPACK_RQ7_VERSION}")
endif()
