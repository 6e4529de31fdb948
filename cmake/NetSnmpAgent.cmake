# Net-SNMP's agent library has no pkg-config file on Debian; ask net-snmp-config.
find_program(NET_SNMP_CONFIG net-snmp-config REQUIRED)
execute_process(COMMAND ${NET_SNMP_CONFIG} --base-agent-libs
  OUTPUT_VARIABLE _agent_libs OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(_agent_libs UNIX_COMMAND "${_agent_libs}")
add_library(NetSnmpAgent INTERFACE)
target_link_libraries(NetSnmpAgent INTERFACE ${_agent_libs} PkgConfig::NETSNMP)
