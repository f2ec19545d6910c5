# Draws the icon afresh into OUTPUT and compares it with the committed files in SOURCE.
file(REMOVE_RECURSE ${OUTPUT})
execute_process(COMMAND ${PYTHON} ${SOURCE}/make_icon.py ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make_icon.py failed: ${result}")
endif()
foreach(name vesk-lights.png vesk-lights.ico)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SOURCE}/${name} ${OUTPUT}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} differs from what make_icon.py draws; run it and commit")
  endif()
endforeach()
