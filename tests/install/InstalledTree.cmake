# Installs the build into a fresh prefix and runs the installed programs from an unrelated
# directory with an empty home: they must find their data under <prefix>/share/rivwood and leave
# nothing beside the binaries.
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -P InstalledTree.cmake

set(prefix ${WORK_DIR}/prefix)
set(home ${WORK_DIR}/home)
set(elsewhere ${WORK_DIR}/elsewhere)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${home} ${elsewhere})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${err}")
endif()

foreach(file bin/rivwood-cli bin/showplate share/rivwood/JHK.KRI share/rivwood/JHK.HMO
             share/rivwood/help/index.html share/rivwood/ukazky/ukazkovy-porost.json
             share/applications/cz.rivwood.Rivwood.desktop share/metainfo/cz.rivwood.Rivwood.metainfo.xml
             share/icons/hicolor/scalable/apps/cz.rivwood.Rivwood.svg share/man/man1/rivwood-cli.1.gz
             share/man/man1/rivwood.1.gz share/man/cs/man1/rivwood.1.gz share/man/cs/man1/rivwood-cli.1.gz
             share/doc/rivwood/copyright)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The manual pages in man1 are English, the Czech ones are under cs.
foreach(page rivwood rivwood-cli showplate)
  file(READ ${BUILD_DIR}/packaging/man/${page}.1 english)
  file(READ ${BUILD_DIR}/packaging/man/cs/${page}.1 czech)
  if(NOT english MATCHES "\\.SH NAME" OR NOT czech MATCHES "\\.SH JMÉNO")
    message(FATAL_ERROR "${page}(1): no English page in man1 or no Czech one in cs/man1")
  endif()
endforeach()

function(run_installed out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_CONFIG_HOME --unset=XDG_DATA_HOME HOME=${home}
                          ${ARGN}
                  WORKING_DIRECTORY ${elsewhere} RESULT_VARIABLE rc OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}): ${stderr}")
  endif()
  set(${out} "${stdout}" PARENT_SCOPE)
endfunction()

run_installed(curve ${prefix}/bin/rivwood-cli curve sm 25.5 22)
string(JSON curve_number GET "${curve}" curve)
if(curve_number LESS_EQUAL 0)
  message(FATAL_ERROR "no curve found by the installed program: ${curve}")
endif()
run_installed(stand ${prefix}/bin/rivwood-cli compute ${prefix}/share/rivwood/ukazky/ukazkovy-porost.json)
string(JSON species_count LENGTH "${stand}" species)
if(species_count LESS 1)
  message(FATAL_ERROR "the installed sample stand computes to nothing: ${stand}")
endif()
run_installed(info ${prefix}/bin/showplate --info ${prefix}/bin/rivwood-cli)
string(JSON product GET "${info}" ProductName)
if(NOT product STREQUAL "Rivwood")
  message(FATAL_ERROR "the installed rivwood-cli carries no version block: ${info}")
endif()

file(GLOB left_beside ${prefix}/bin/*.INI ${prefix}/bin/*.db)
file(GLOB left_elsewhere ${elsewhere}/*)
if(left_beside OR left_elsewhere)
  message(FATAL_ERROR "the installed programs wrote files where they should not: ${left_beside} ${left_elsewhere}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
