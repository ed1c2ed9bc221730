set output 'Timing5.svg
set terminal svg
set multiplot
set grid
set title "Clients duration"
set xlabel "audio cycles"
set ylabel "usec"
plot "/tmp/pwx/profiler.log" using 10 title "Kelvatron capture/44" with lines, "/tmp/pwx/profiler.log" using 18 title "kelvatron/52" with lines
unset multiplot
unset output
