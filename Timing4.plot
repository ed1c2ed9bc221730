set output 'Timing4.svg
set terminal svg
set multiplot
set grid
set title "Clients scheduling latency"
set xlabel "audio cycles"
set ylabel "usec"
plot "/tmp/pwx/profiler.log" using 9 title "Kelvatron capture/44" with lines, "/tmp/pwx/profiler.log" using 17 title "kelvatron/52" with lines
unset multiplot
unset output
