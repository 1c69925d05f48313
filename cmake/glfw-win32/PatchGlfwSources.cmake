# Script mode: copies GLFW's sources into the build directory and applies our
# patch to the copy.  Called with -DSOURCE_DIR=<glfw src/> -DOUTPUT_DIR=<dir>
# -DPATCH_FILE=<file> -DPATCH_PROGRAM=<patch> -DSTAMP=<file>.
file(REMOVE_RECURSE "${OUTPUT_DIR}")
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
file(GLOB sources "${SOURCE_DIR}/*.c" "${SOURCE_DIR}/*.h")
file(COPY ${sources} DESTINATION "${OUTPUT_DIR}")
execute_process(
  COMMAND "${PATCH_PROGRAM}" --batch --quiet --forward -p1 -d "${OUTPUT_DIR}" -i "${PATCH_FILE}"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Patching GLFW with ${PATCH_FILE} failed:\n${output}")
endif()
file(TOUCH "${STAMP}")
