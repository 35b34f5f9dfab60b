#!/usr/bin/env bash
# Load benchmark: velunta serve against nginx serving the same JSON answers as static files, on
# loopback, with wrk (keep-alive, 2 threads, 16 connections, 10 s a run). Builds nothing: pass
# the built command. Not part of the tests: figures depend on the machine and what else runs.
#   server/bench/load.sh [build/default/cli/velunta]
# Prints, per target, requests per second, p99 latency and errors for both, their ratio, and
# the server's resident memory before and after a million requests.
set -euo pipefail
velunta="$(realpath "${1:-build/default/cli/velunta}")"
threads="${THREADS:-2}"
for tool in wrk nginx; do
  command -v "$tool" >/dev/null || command -v "/usr/sbin/$tool" >/dev/null ||
    { echo "load.sh: $tool is missing (scripts/setup.sh load installs it)" >&2; exit 2; }
done
nginx_bin="$(command -v nginx || echo /usr/sbin/nginx)"

work="$(mktemp -d)"
server_pid=""
nginx_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill -TERM "$server_pid" 2>/dev/null || true
  [ -n "$nginx_pid" ] && kill -QUIT "$nginx_pid" 2>/dev/null || true
  sleep 0.3
  rm -rf "$work"
}
trap cleanup EXIT

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
server_port="$(free_port)"
nginx_port="$(free_port)"

# The same answers, written by the command, as nginx's static files.
mkdir -p "$work/www/v1/days"
"$velunta" check 2026-05-06 --format=json >"$work/www/v1/days/2026-05-06"
"$velunta" list 2026 --format=json >"$work/www/v1/holidays-2026.json"
chmod -R a+rX "$work"
cat >"$work/nginx.conf" <<CONF
worker_processes $threads;
pid $work/nginx.pid;
error_log $work/nginx-error.log;
daemon off;
events { worker_connections 1024; }
http {
  access_log off;
  keepalive_requests 100000;
  client_body_temp_path $work/tmp;
  proxy_temp_path $work/tmp;
  fastcgi_temp_path $work/tmp;
  uwsgi_temp_path $work/tmp;
  scgi_temp_path $work/tmp;
  server {
    listen 127.0.0.1:$nginx_port;
    root $work/www;
    default_type application/json;
    location = /v1/holidays { try_files /v1/holidays-\$arg_year.json =404; }
  }
}
CONF
mkdir -p "$work/tmp"
"$nginx_bin" -c "$work/nginx.conf" &
nginx_pid=$!
"$velunta" serve --port "$server_port" --threads "$threads" 2>/dev/null &
server_pid=$!
sleep 0.5

rss() { awk '/VmRSS/ {print $2 " kB"}' "/proc/$server_pid/status"; }
# Runs wrk and prints "requests/s p99 errors requests".
measure() {
  local out
  out="$(wrk -t2 -c16 -d10s --latency "$1")"
  local rps p99 errors requests
  rps="$(awk '/Requests\/sec/ {print $2}' <<<"$out")"
  p99="$(awk '$1 == "99%" {print $2}' <<<"$out")"
  requests="$(awk '/requests in/ {print $1}' <<<"$out")"
  errors="$(awk '/Socket errors|Non-2xx/ {n += $NF} END {print n + 0}' <<<"$out")"
  echo "$rps $p99 $errors $requests"
}

for path in /v1/days/2026-05-06 "/v1/holidays?year=2026"; do
  cmp <(curl -s "http://127.0.0.1:$server_port$path") <(curl -s "http://127.0.0.1:$nginx_port$path") ||
    { echo "load.sh: the two answers of $path differ" >&2; exit 1; }
done

rss_before="$(rss)"
total=0
printf '%-28s %-8s %12s %10s %8s\n' target server "requests/s" p99 errors
for path in /v1/days/2026-05-06 "/v1/holidays?year=2026"; do
  read -r s_rps s_p99 s_err s_req < <(measure "http://127.0.0.1:$server_port$path")
  read -r n_rps n_p99 n_err _ < <(measure "http://127.0.0.1:$nginx_port$path")
  total=$((total + s_req))
  printf '%-28s %-8s %12s %10s %8s\n' "$path" velunta "$s_rps" "$s_p99" "$s_err"
  printf '%-28s %-8s %12s %10s %8s\n' "$path" nginx "$n_rps" "$n_p99" "$n_err"
  echo "ratio velunta/nginx: $(awk -v a="$s_rps" -v b="$n_rps" 'BEGIN {printf "%.2f", a / b}')"
done
# On to a million requests, then the memory again.
while [ "$total" -lt 1000000 ]; do
  read -r _ _ _ s_req < <(measure "http://127.0.0.1:$server_port/v1/days/2026-05-06")
  total=$((total + s_req))
done
echo "velunta resident memory: $rss_before before, $(rss) after $total requests"
