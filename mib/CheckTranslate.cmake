# Loads TRB4820-MIB in Net-SNMP's parser and translates names both ways.
# Net-SNMP's own files (persistent state, the user's snmp.conf) stay out of it.
set(scratch ${CMAKE_CURRENT_BINARY_DIR}/snmptranslate-scratch)
file(MAKE_DIRECTORY ${scratch})
set(ENV{SNMP_PERSISTENT_DIR} ${scratch})
set(ENV{SNMPCONFPATH} ${scratch})
unset(ENV{MIBS})
unset(ENV{MIBDIRS})
function(translate expected)
  execute_process(COMMAND ${SNMPTRANSLATE} -m +TRB4820-MIB -M +${MIB_DIR} ${ARGN}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT result EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "snmptranslate ${ARGN}:\n  expected '${expected}'\n  got '${out}'\n${err}")
  endif()
endfunction()

translate(".1.3.6.1.4.1.32473.4820.1.1" -On TRB4820-MIB::trbModelName)
translate(".1.3.6.1.4.1.32473.4820.3.1.3" -On TRB4820-MIB::trbBandSsid)
translate(".1.3.6.1.4.1.32473.4820.5.1" -On TRB4820-MIB::trbDeviceCommand)
translate("TRB4820-MIB::trbLanIpAddress.0" .1.3.6.1.4.1.32473.4820.2.2.0)
translate("TRB4820-MIB::trbSsidMac.1.3" .1.3.6.1.4.1.32473.4820.4.1.2.1.3)
translate("TRB4820-MIB::trbClientSignal.300" .1.3.6.1.4.1.32473.4820.6.1.6.300)
translate("TRB4820-MIB::trbArpGatewayStatus.8" .1.3.6.1.4.1.32473.4820.8.2.1.4.8)

# MAC objects carry the MacAddress convention of SNMPv2-TC, so tools print them with its hint.
foreach(name trbEthernetMac trbSsidMac trbArpGatewayMac)
  execute_process(COMMAND ${SNMPTRANSLATE} -m +TRB4820-MIB -M +${MIB_DIR} -Td TRB4820-MIB::${name}
                  OUTPUT_VARIABLE described ERROR_VARIABLE err)
  if(NOT described MATCHES "TEXTUAL CONVENTION MacAddress" OR NOT described MATCHES "DISPLAY-HINT[ \t]+\"1x:\"")
    message(FATAL_ERROR "${name} is not shown as a MacAddress:\n${described}${err}")
  endif()
endforeach()

# The module and the SMI modules it imports parse without a single complaint.
execute_process(COMMAND ${SNMPTRANSLATE} -m TRB4820-MIB -M ${MIB_DIR} -Tp TRB4820-MIB::trb4820MIB
                OUTPUT_VARIABLE tree ERROR_VARIABLE err RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "TRB4820-MIB does not load cleanly:\n${err}")
endif()
foreach(name trbSystem trbBandEntry trbClientTable trbCompliance trbArpGatewayEntry trbAdmin)
  string(FIND "${tree}" "${name}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${name} is missing from the parsed tree:\n${tree}")
  endif()
endforeach()
