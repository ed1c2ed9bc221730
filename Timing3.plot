set output 'Timing3.svg
set terminal svg
set multiplot
set grid
set title "Clients end date"
set xlabel "audio cycles"
set ylabel "usec"
plot "/tmp/pwx/profiler.log" using 1 title "Audio period" with lines, "/tmp/pwx/profiler.log" using 8 title "Kelvatron capture/44" with lines, "/tmp/pwx/profiler.log" using 16 title "kelvatron/52" with lines
unset multiplot
unset output
