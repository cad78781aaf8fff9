# Makes the Debian package of a build in a scratch folder and runs lintian on it: any error or warning fails.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DLINTIAN=... -P CheckPackage.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB packages ${WORK_DIR}/*.deb)
if(NOT status EQUAL 0 OR NOT packages)
  message(FATAL_ERROR "cpack failed (${status}): ${out}${err}")
endif()
# Root or not, lintian looks at the package as it would ship.
execute_process(COMMAND ${LINTIAN} --fail-on error,warning --display-info --allow-root ${packages}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("${out}${err}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lintian found errors or warnings in ${packages}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
