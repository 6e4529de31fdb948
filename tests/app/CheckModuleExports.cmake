# Checks the module's dynamic symbol table: VtGetNetInterfaceInfo is defined there as code,
# and none of the module's own functions is exported besides it.
# Arguments: -DNM=<nm> -DMODULE=<path to trb4820>
execute_process(COMMAND ${NM} -D --defined-only ${MODULE}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} -D ${MODULE} failed")
endif()
if(NOT symbols MATCHES "(^|\n)[0-9a-f]+ T VtGetNetInterfaceInfo\n")
  message(FATAL_ERROR "VtGetNetInterfaceInfo is not exported as code:\n${symbols}")
endif()
string(REGEX MATCHALL "[0-9a-f]+ T [^\n]+" code "${symbols}")
list(LENGTH code exported)
if(NOT exported EQUAL 1)
  message(FATAL_ERROR "more code is exported than VtGetNetInterfaceInfo:\n${code}")
endif()
string(REGEX MATCHALL "[^\n]*3trb[^\n]*" ours "${symbols}")
if(ours)
  message(FATAL_ERROR "the module's own symbols are exported:\n${ours}")
endif()
