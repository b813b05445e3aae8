#!/bin/sh
# A stand-in for a long run of the solver program in the Stop test: it follows the program's
# hand-over, writes the prepared records slow-output.txt of the current folder as the output so
# far, reports progress until it is told to stop (SIGTERM), and then ends its output the way the
# program does: an ERROR line with the reason, exit status 1.
input=$(head -n 1 SolverFilePath.txt | tr -d '"\r')
output="${input%.*}.out"
cp slow-output.txt "$output"
printf '"%s"\r\n' "$output" > SolverFilePath.txt
trap 'echo "ERROR The run was stopped by the user at time 2.0E-02 s, temperature 1250 K." >> "$output"; exit 1' TERM
echo "53 species, 325 reactions, mode 1"
step=0
while :; do
  step=$((step + 1))
  echo "  t = ${step}.000000E-04 s  steps $step  T = 1200.00 K"
  sleep 0.05
done
