# The end-to-end cases: traz_tool_case(<name> <exit code> <arguments> [<written file> <golden>]).

# Every old version converted and written in the current version.
foreach(fixture v360_tracer v360_oil v362_tracer v362_oil v363_tracer v363_oil
                v364_tracer v364_tracer_layers v364_oil)
  traz_tool_case(roundtrip_${fixture} 0 "roundtrip|${fixture}.inp|${fixture}_new.mdp"
                 ${fixture}_new.inp converted/${fixture}.inp)
endforeach()
# A list file leads to its input file.
traz_tool_case(roundtrip_list_file 0 "roundtrip|v364_tracer.mdp|from_list.mdp"
               from_list.inp converted/v364_tracer.inp)
# Failures: a missing file, a file that ends early.
traz_tool_case(roundtrip_missing 1 "roundtrip|missing.inp|missing_new.mdp")
traz_tool_case(roundtrip_truncated 1 "roundtrip|truncated.inp|truncated_new.mdp")

traz_tool_case(hyd_two_layers 0 "hyd|hyd/bay2.hyd")
traz_tool_case(hyd_missing 1 "hyd|hyd/missing.hyd")
traz_tool_case(grid_three_layers 0 "grid|hyd/bay3.lga")
traz_tool_case(grid_missing 1 "grid|hyd/missing.lga")

traz_tool_case(startup_stand_alone 0 "startup")
traz_tool_case(startup_project_existing 0 "startup|P63")
traz_tool_case(startup_project_new 0 "startup|NEW")
traz_tool_case(startup_invalid_id 0 "startup|AB")

# The shipped example model: saving it unchanged gives the same bytes, and a
# project start with its id opens it.
set(TRAZ_TOOL_DATA ${CMAKE_SOURCE_DIR}/examples/estuary)
traz_tool_case(example_roundtrip 0 "roundtrip|trazest.inp|trazest_new.mdp" trazest_new.inp trazest.inp)
traz_tool_case(example_startup 0 "startup|est")
