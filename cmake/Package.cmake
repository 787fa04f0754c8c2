# The installer package that the executable carries: built from res/package
# with wixl, made the same on every build of the same source and optionally
# signed, or a package the maker supplies (TESSALY_PACKAGE), carried as it is.
# Either way it ends up as ${PACKAGE} only once complete and checked.

if(TESSALY_PACKAGE)
    run_parameter_tool(${TOOLS_DIR}/check_package.py ${TESSALY_PACKAGE})
    add_custom_command(
        OUTPUT ${PACKAGE}
        COMMAND ${TESSALY_PYTHON} ${TOOLS_DIR}/check_package.py ${TESSALY_PACKAGE} ${PACKAGE}
        DEPENDS ${TESSALY_PACKAGE} ${TOOLS_DIR}/check_package.py
        COMMENT "Taking the installer package ${TESSALY_PACKAGE}"
        VERBATIM)
    return()
endif()

# One source date for everything whose time would otherwise be the build's.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(SOURCE_DATE $ENV{SOURCE_DATE_EPOCH})
else()
    set(SOURCE_DATE 1796083200)  # 2026-12-01 00:00:00 UTC
endif()
if(NOT SOURCE_DATE MATCHES "^[0-9]+$")
    refuse_parameter("SOURCE_DATE_EPOCH is '${SOURCE_DATE}', not a number of seconds since 1970")
endif()

# wixl takes the payload's modification time into the cabinet, so it builds
# from a copy whose time is the source date.
set(STAGE ${CMAKE_BINARY_DIR}/package)
file(MAKE_DIRECTORY ${STAGE})
set(BUILT ${STAGE}/VelstromTessaly.msi)
set(PACKAGE_SOURCES ${RES_DIR}/package/Tessaly.wxs ${RES_DIR}/package/ReadMe.txt)
set(sign_package)
if(SIGNING)
    set(sign_package COMMAND ${TOOLS_DIR}/sign.sh ${SIGNING_ARGS} ${BUILT} ${BUILT}.signed
                     COMMAND ${CMAKE_COMMAND} -E rename ${BUILT}.signed ${BUILT})
endif()
add_custom_command(
    OUTPUT ${PACKAGE}
    COMMAND ${CMAKE_COMMAND} -E copy ${PACKAGE_SOURCES} ${STAGE}
    COMMAND touch -d @${SOURCE_DATE} ${STAGE}/ReadMe.txt
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${WIXL} -a x86 -o ${BUILT} Tessaly.wxs
    COMMAND ${TESSALY_PYTHON} ${TOOLS_DIR}/settle_package.py ${BUILT} ${SOURCE_DATE}
    ${sign_package}
    COMMAND ${TESSALY_PYTHON} ${TOOLS_DIR}/check_package.py ${BUILT} ${PACKAGE}
    WORKING_DIRECTORY ${STAGE}
    DEPENDS ${PACKAGE_SOURCES} ${TOOLS_DIR}/check_package.py ${TOOLS_DIR}/settle_package.py ${TOOLS_DIR}/sign.sh
    COMMENT "Building the installer package"
    VERBATIM)
