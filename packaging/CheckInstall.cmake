# Installs the build into a scratch prefix and checks that the installed program finds its files there: the
# files stand in their places, and the installed command line answers from the installed library, keeping its
# own files in the per-user folder (here inside the scratch folder), never beside itself.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DAPP_ID=... -P CheckInstall.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/usr)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(file bin/tolvane bin/tolvane-cli share/tolvane/namedbs.mdb share/tolvane/help/index.html
             share/applications/${APP_ID}.desktop share/metainfo/${APP_ID}.metainfo.xml
             share/icons/hicolor/48x48/apps/${APP_ID}.png share/icons/hicolor/256x256/apps/${APP_ID}.png)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

set(ENV{HOME} ${WORK_DIR}/home)
set(ENV{XDG_DATA_HOME} ${WORK_DIR}/home/data)
execute_process(COMMAND ${prefix}/bin/tolvane-cli company 百度
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "^百度 15 数暗示为")
  message(FATAL_ERROR "the installed command line did not answer (${status}): ${out}${err}")
endif()
if(NOT EXISTS ${WORK_DIR}/home/data/TolVane/namedbs.mdb)
  message(FATAL_ERROR "the installed program did not copy its library into the per-user folder")
endif()
if(EXISTS ${prefix}/bin/namedbs.mdb OR EXISTS ${prefix}/bin/name.rtf)
  message(FATAL_ERROR "the installed program wrote beside itself")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
