# Fails when the checked-in TRB4820-MIB.txt is not what the generator makes from the schema.
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "trb4820-mibgen failed (${result})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CHECKED_IN} ${OUTPUT} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "mib/TRB4820-MIB.txt is out of date with the schema; "
                      "run: cmake --build <build> --target trb4820-mib-update")
endif()
