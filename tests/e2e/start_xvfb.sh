# Sourced by the end-to-end scripts: starts Xvfb on a display number that the
# server itself picks (so concurrent runs never collide), sets xvfb_pid and
# DISPLAY. Needs $work and a fail function.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
disp="$(head -n1 "$work/display" 2>/dev/null || true)"
[ -n "$disp" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$disp"
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
