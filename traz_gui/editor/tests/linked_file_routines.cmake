# The program carries the file routines that it links but never calls:
# the flow-model file routines and their wrappers, the definition and wave
# input readers, the water-quality file routines and the KELPA entry
# points.  Run as a test: cmake -DNM=<nm> -DPROGRAM=<traz_gui.exe> -P this
# file; fails naming every entry point that the program's symbol table
# lacks.
set(entry_points
  # Flow-model file routines and their wrappers.
  JULIAN_DAY_CONVERT READ_TIMESERIES_BLOCK SCAN_FOURIER_REQUESTS CallGetDefinitionStrings CallSetDefinitionStrings
  # The master definition reader, its record's access routines, the wave input reader.
  READ_FLOW_DEFINITION GET_DEFINITION_LIMITS GET_DEFINITION_STRINGS SET_DEFINITION_STRINGS GET_DEFINITION_INTS_A
  SET_DEFINITION_INTS_A GET_DEFINITION_INTS_B SET_DEFINITION_INTS_B SET_MESSAGE_DIRECTORY READ_WAVE_INPUT
  SET_WAVE_NAME_PARTS
  # Water-quality file routines.
  WQWGRD WQRPAR WQWBIN
  # KELPA entry points.
  Crenef Attdat Inqfst Getval Putval Putsat)

execute_process(COMMAND ${NM} --defined-only ${PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${PROGRAM}")
endif()
set(missing "")
foreach(name IN LISTS entry_points)
  if(NOT symbols MATCHES " T ${name}\n")
    list(APPEND missing ${name})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not in the program: ${missing}")
endif()
