#!/bin/sh
# A stand-in for the solver program in the solver-link tests: it follows the program's hand-over
# (input path in SolverFilePath.txt of the current folder, output beside it with the extension
# .out, the output path written back) and writes the prepared text fake-output.txt of the
# current folder as its output, then exits with the status in fake-exit.txt (0 without it).
input=$(head -n 1 SolverFilePath.txt | tr -d '"\r')
output="${input%.*}.out"
echo "fake solver: reading $input"
if [ -f fake-output.txt ]; then
  cp fake-output.txt "$output"
  printf '"%s"\r\n' "$output" > SolverFilePath.txt
fi
echo "fake solver: done" >&2
status=0
[ -f fake-exit.txt ] && status=$(cat fake-exit.txt)
exit "$status"
