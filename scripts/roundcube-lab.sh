#!/usr/bin/env bash
# A real webmail on this machine's loopback, for trying the program and for
# its end-to-end tests: Roundcube (served by php -S), Dovecot (IMAP, and
# LMTP on a socket) and a private Postfix (SMTP), all on 127.0.0.1, with two
# users on a test domain. Everything lives in one work folder; nothing is
# written under /etc, and no mail leaves the machine: the SMTP server
# refuses every domain but the lab's own.
#
#   bash scripts/roundcube-lab.sh install   installs the Debian packages only
#   bash scripts/roundcube-lab.sh start     installs what is missing, starts
#                                           the lab (or leaves a running one)
#                                           and prints its settings
#   bash scripts/roundcube-lab.sh env       prints the settings of the running lab
#   bash scripts/roundcube-lab.sh status    says what runs; exit 0 when all does
#   bash scripts/roundcube-lab.sh stop      stops it; nothing of it keeps running
#   bash scripts/roundcube-lab.sh purge     stops it and deletes the work folder
#
# Settings (environment):
#   FERROWEN_ROUNDCUBE_DIR        the work folder
#                                 (default: ${XDG_RUNTIME_DIR:-/tmp}/ferrowen-roundcube-lab-<user>)
#   FERROWEN_ROUNDCUBE_HTTP_PORT  the web server's port  } free ones are chosen
#   FERROWEN_ROUNDCUBE_IMAP_PORT  Dovecot's IMAP port    } when these are unset
#   FERROWEN_ROUNDCUBE_SMTP_PORT  Postfix's SMTP port    }
#   FERROWEN_ROUNDCUBE_OWNER_PID  start: stop the lab by itself once this
#                                 process has ended (tests pass their own)
#
# The users are alice and bob @example.test, with the passwords alice-pass
# and bob-pass. The daemons need root: run as root, or as a user who may
# use sudo (the script then asks sudo for the parts that need it).
set -euo pipefail

readonly domain="example.test"
readonly users=(alice bob)
readonly packages=(roundcube roundcube-sqlite3 php8.2-cli php8.2-cgi
  dovecot-imapd dovecot-lmtpd postfix sqlite3)
# Exit status when the lab cannot be set up here at all (neither root nor
# sudo): test programs tell it from a fault of the lab.
readonly cannot_status=3

script_path=$(readlink -f "$0")
me="roundcube-lab"

fail() {
  echo "$me: $*" >&2
  exit 1
}

# --- Running as root -------------------------------------------------------

# Runs this script again as root, through sudo, keeping the settings.
# Never returns.
as_root() {
  if ! command -v sudo >/dev/null 2>&1; then
    echo "$me: the lab's packages and daemons need root: run this as root, or install sudo and allow it to this user" >&2
    exit "$cannot_status"
  fi
  local sudo=(sudo)
  # Without a terminal sudo cannot ask for a password: fail at once instead.
  if [ ! -t 0 ]; then sudo=(sudo -n); fi
  if ! "${sudo[@]}" true 2>/dev/null; then
    echo "$me: the lab's packages and daemons need root, and sudo refused (it needs a password, or this user may not use it): run this as root, or from a terminal" >&2
    exit "$cannot_status"
  fi
  exec "${sudo[@]}" env \
    FERROWEN_ROUNDCUBE_DIR="${FERROWEN_ROUNDCUBE_DIR:-$(default_dir)}" \
    FERROWEN_ROUNDCUBE_HTTP_PORT="${FERROWEN_ROUNDCUBE_HTTP_PORT:-}" \
    FERROWEN_ROUNDCUBE_IMAP_PORT="${FERROWEN_ROUNDCUBE_IMAP_PORT:-}" \
    FERROWEN_ROUNDCUBE_SMTP_PORT="${FERROWEN_ROUNDCUBE_SMTP_PORT:-}" \
    FERROWEN_ROUNDCUBE_OWNER_PID="${FERROWEN_ROUNDCUBE_OWNER_PID:-}" \
    FERROWEN_ROUNDCUBE_MAIL_OWNER="$(id -un)" \
    bash "$script_path" "$@"
}

# --- Packages --------------------------------------------------------------

missing_packages() {
  local installed p
  installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true)
  for p in "${packages[@]}"; do
    grep -qx "$p install ok installed" <<<"$installed" || echo "$p"
  done
}

install_packages() {
  local missing
  mapfile -t missing < <(missing_packages)
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "$me: installing ${missing[*]}" >&2
  # The packages would configure a web server and a mail system of the
  # machine's own: the lab runs its own instances instead.
  debconf-set-selections <<'EOF'
postfix postfix/main_mailer_type select No configuration
roundcube-core roundcube/dbconfig-install boolean false
roundcube-core roundcube/reconfigure-webserver multiselect
roundcube-core roundcube/restart-webserver boolean false
EOF
  # Keeps the packages' own daemons from starting while they install.
  local policy=/usr/sbin/policy-rc.d own_policy=""
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' >"$policy"
    chmod 755 "$policy"
    own_policy=$policy
    trap 'rm -f "$own_policy"' EXIT
  fi
  export DEBIAN_FRONTEND=noninteractive
  # Others may be installing at the same time: wait for their lock.
  apt-get update -q
  apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}"
  if [ -n "$own_policy" ]; then rm -f "$own_policy"; trap - EXIT; fi
}

# --- The work folder -----------------------------------------------------------

# The default folder: under $XDG_RUNTIME_DIR when the daemons' own users may
# pass through it (it is usually private to its owner), else under /tmp.
default_dir() {
  local user=${SUDO_USER:-$(id -un)} base=/tmp
  if [ -n "${XDG_RUNTIME_DIR:-}" ] && [ -d "$XDG_RUNTIME_DIR" ] &&
    [ -n "$(find "$XDG_RUNTIME_DIR" -maxdepth 0 -perm -o+x 2>/dev/null)" ]; then
    base=$XDG_RUNTIME_DIR
  fi
  echo "$base/ferrowen-roundcube-lab-$user"
}

work=${FERROWEN_ROUNDCUBE_DIR:-$(default_dir)}
case "$work" in
/*) ;;
*) work="$PWD/$work" ;;
esac
# The folder's path goes into the daemons' configuration files as it is.
[[ "$work" =~ ^[A-Za-z0-9_./+-]+$ ]] ||
  fail "the work folder's path may hold only letters, digits and . _ + - / (it is: $work)"

rc_dir=$work/roundcube
dovecot_dir=$work/dovecot
# Postfix checks everything below its configuration folder as its own
# root-owned files: the queue and its data lie beside it.
postfix_dir=$work/postfix
postfix_spool=$work/postfix-spool
postfix_data=$work/postfix-data
mail_dir=$work/mail
log_dir=$work/log
env_file=$work/lab.env

# The user who owns the mailboxes: the one who called sudo, so that their
# test programs can read the mail; Dovecot never delivers as root.
mail_owner() {
  if [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then echo "$SUDO_USER"; else echo mail; fi
}

# A process that has ended but is not yet reaped (a zombie) counts as gone.
pid_alive() {
  local state
  [ -n "${1:-}" ] && state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ "$state" != Z* ]]
}
read_pid() { [ -r "$1" ] && tr -d ' \n' <"$1" || true; }
php_pid() { read_pid "$work/php.pid"; }
dovecot_pid() { read_pid "$dovecot_dir/run/master.pid"; }
postfix_pid() { read_pid "$postfix_spool/pid/master.pid"; }
watcher_pid() { read_pid "$work/watcher.pid"; }

# --- Ports ---------------------------------------------------------------------

port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# Three ports nobody listens on, held open together so they differ.
free_ports() {
  php -r '$s = []; for ($i = 0; $i < 3; $i++) $s[] = stream_socket_server("tcp://127.0.0.1:0");
    foreach ($s as $x) echo substr(strrchr(stream_socket_get_name($x, false), ":"), 1), "\n";'
}

choose_ports() {
  local free
  mapfile -t free < <(free_ports)
  [ ${#free[@]} -eq 3 ] || fail "could not find free ports on 127.0.0.1"
  http_port=${FERROWEN_ROUNDCUBE_HTTP_PORT:-${free[0]}}
  imap_port=${FERROWEN_ROUNDCUBE_IMAP_PORT:-${free[1]}}
  smtp_port=${FERROWEN_ROUNDCUBE_SMTP_PORT:-${free[2]}}
  local name port
  for name in http imap smtp; do
    port=${name}_port
    port=${!port}
    [[ "$port" =~ ^[0-9]+$ ]] && [ "$port" -ge 1 ] && [ "$port" -le 65535 ] ||
      fail "the ${name^^} port must be a number from 1 to 65535 (it is: $port)"
    ! port_in_use "$port" || fail "port $port (${name^^}) is already in use on 127.0.0.1"
  done
  [ "$http_port" != "$imap_port" ] && [ "$http_port" != "$smtp_port" ] && [ "$imap_port" != "$smtp_port" ] ||
    fail "the HTTP, IMAP and SMTP ports must differ ($http_port, $imap_port, $smtp_port)"
}

# --- Configuration -------------------------------------------------------------

write_dovecot_config() {
  local owner=$1 uid gid user
  uid=$(id -u "$owner")
  gid=$(id -g "$owner")
  mkdir -p "$dovecot_dir/run" "$dovecot_dir/state"
  : >"$dovecot_dir/users"
  for user in "${users[@]}"; do
    echo "$user:{PLAIN}$user-pass:$uid:$gid::$mail_dir/$user::" >>"$dovecot_dir/users"
    mkdir -p "$mail_dir/$user"
    chown "$owner:" "$mail_dir/$user"
  done
  chmod 644 "$dovecot_dir/users"
  cat >"$dovecot_dir/dovecot.conf" <<CONF
# Written by roundcube-lab.sh: IMAP on 127.0.0.1:$imap_port, LMTP on a socket
# for the lab's Postfix, users from a file, Maildirs in the work folder.
protocols = imap lmtp
listen = 127.0.0.1
base_dir = $dovecot_dir/run
state_dir = $dovecot_dir/state
instance_name = ferrowen-lab-$imap_port
log_path = $log_dir/dovecot.log
ssl = no
disable_plaintext_auth = no
auth_mechanisms = plain login
first_valid_uid = 1
first_valid_gid = 1
mail_location = maildir:~/Maildir
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%n $dovecot_dir/users
}
userdb {
  driver = passwd-file
  args = username_format=%n $dovecot_dir/users
}
namespace inbox {
  inbox = yes
  separator = /
  mailbox Drafts {
    special_use = \Drafts
    auto = subscribe
  }
  mailbox Sent {
    special_use = \Sent
    auto = subscribe
  }
  mailbox Trash {
    special_use = \Trash
    auto = subscribe
  }
  mailbox Junk {
    special_use = \Junk
    auto = subscribe
  }
}
service imap-login {
  inet_listener imap {
    address = 127.0.0.1
    port = $imap_port
  }
  inet_listener imaps {
    port = 0
  }
}
service lmtp {
  unix_listener lmtp {
    mode = 0666
  }
}
protocol lmtp {
  postmaster_address = postmaster@$domain
}
CONF
}

write_postfix_config() {
  local recipients="" user
  for user in "${users[@]}"; do recipients+="{$user@$domain=ok},"; done
  mkdir -p "$postfix_dir" "$postfix_spool" "$postfix_data"
  chown postfix: "$postfix_data"
  cat >"$postfix_dir/main.cf" <<CONF
# Written by roundcube-lab.sh: SMTP on 127.0.0.1:$smtp_port only, taking mail
# for the lab's users and handing it to Dovecot over LMTP. Every other
# recipient is refused, so no mail leaves the machine.
compatibility_level = 3.6
queue_directory = $postfix_spool
data_directory = $postfix_data
myhostname = mail.$domain
mydomain = $domain
myorigin = $domain
mydestination =
inet_interfaces = 127.0.0.1
inet_protocols = ipv4
mynetworks = 127.0.0.0/8
virtual_mailbox_domains = $domain
virtual_mailbox_maps = inline:{${recipients%,}}
virtual_transport = lmtp:unix:$dovecot_dir/run/lmtp
smtpd_relay_restrictions = reject_unauth_destination
default_transport = error:mail leaves no test lab
relay_transport = error:mail leaves no test lab
local_transport = error:no local delivery in the test lab
alias_maps =
alias_database =
local_recipient_maps =
smtp_dns_support_level = disabled
biff = no
message_size_limit = 20480000
maillog_file = $log_dir/postfix.log
maillog_file_prefixes = $log_dir
CONF
  cat >"$postfix_dir/master.cf" <<CONF
# service type private unpriv chroot wakeup maxproc command
127.0.0.1:$smtp_port inet n - n - - smtpd
pickup    unix  n - n 60   1 pickup
cleanup   unix  n - n -    0 cleanup
qmgr      unix  n - n 300  1 qmgr
rewrite   unix  - - n -    - trivial-rewrite
bounce    unix  - - n -    0 bounce
defer     unix  - - n -    0 bounce
trace     unix  - - n -    0 bounce
verify    unix  - - n -    1 verify
flush     unix  n - n 1000? 0 flush
proxymap  unix  - - n -    - proxymap
showq     unix  n - n -    - showq
error     unix  - - n -    - error
retry     unix  - - n -    - error
discard   unix  - - n -    - discard
lmtp      unix  - - n -    - lmtp
anvil     unix  - - n -    1 anvil
scache    unix  - - n -    1 scache
postlog   unix-dgram n - n - 1 postlogd
CONF
}

write_roundcube_config() {
  mkdir -p "$rc_dir/config" "$rc_dir/temp"
  ln -sf /etc/roundcube/defaults.inc.php "$rc_dir/config/defaults.inc.php"
  ln -sf /etc/roundcube/mimetypes.php "$rc_dir/config/mimetypes.php"
  local key
  key=$(php -r 'echo bin2hex(random_bytes(12));')
  cat >"$rc_dir/config/config.inc.php" <<CONF
<?php
// Written by roundcube-lab.sh.
\$config = [];
\$config['db_dsnw'] = 'sqlite:///$rc_dir/roundcube.db?mode=0640';
\$config['imap_host'] = '127.0.0.1:$imap_port';
\$config['smtp_host'] = '127.0.0.1:$smtp_port';
// The lab's SMTP server takes mail from the loopback without a login.
\$config['smtp_user'] = '';
\$config['smtp_pass'] = '';
\$config['username_domain'] = '$domain';
\$config['mail_domain'] = '$domain';
\$config['login_rate_limit'] = 0;
\$config['des_key'] = '$key';
\$config['temp_dir'] = '$rc_dir/temp/';
\$config['log_dir'] = '$log_dir/';
\$config['log_driver'] = 'file';
\$config['plugins'] = [];
\$config['skin'] = 'elastic';
\$config['product_name'] = 'Roundcube Webmail';
\$config['support_url'] = '';
\$config['enable_installer'] = false;
CONF
  if [ ! -s "$rc_dir/roundcube.db" ]; then
    sqlite3 "$rc_dir/roundcube.db" </usr/share/roundcube/SQL/sqlite.initial.sql ||
      fail "could not create Roundcube's database in $rc_dir"
  fi
}

# --- Starting and stopping -------------------------------------------------------

# Waits (up to 20 s) until the command succeeds.
await() {
  local what=$1
  shift
  for _ in $(seq 200); do
    "$@" && return 0
    sleep 0.1
  done
  fail "$what did not come up (logs: $log_dir)"
}

# True when the service on the port greets with the text.
greets() {
  local port=$1 text=$2 line=""
  { exec 3<>"/dev/tcp/127.0.0.1/$port"; } 2>/dev/null || return 1
  read -r -t 5 line <&3 || true
  exec 3>&-
  [[ "$line" == *"$text"* ]]
}

# True when the web server serves Roundcube's login page.
serves_login() {
  php -r '$page = @file_get_contents($argv[1]); exit($page !== false && strpos($page, "rcmloginuser") !== false ? 0 : 1);' \
    "http://127.0.0.1:$http_port/"
}

# Every daemon of the lab running: 0; none: 1; some: 2.
running_state() {
  local alive=0 p
  for p in "$(php_pid)" "$(dovecot_pid)" "$(postfix_pid)"; do
    if pid_alive "$p"; then alive=$((alive + 1)); fi
  done
  case $alive in 3) return 0 ;; 0) return 1 ;; *) return 2 ;; esac
}

# Postfix tells the reason of a failure only to a terminal or syslog.
postfix_do() {
  local output
  if ! output=$(script -qec "postfix -c $postfix_dir $*" /dev/null </dev/null 2>&1 9>&-); then
    echo "$output" >&2
    fail "postfix $* failed"
  fi
}

start_lab() {
  mkdir -p "$work" "$log_dir" "$mail_dir"
  chmod 755 "$work" "$mail_dir"
  local owner user
  owner=$(mail_owner)
  for user in "$owner" dovecot postfix; do
    runuser -u "$user" -- test -x "$work" ||
      fail "the user $user cannot reach the work folder $work: choose one that others may pass through (FERROWEN_ROUNDCUBE_DIR)"
  done
  choose_ports
  write_dovecot_config "$owner"
  write_postfix_config
  write_roundcube_config

  # The daemons must not hold the lock of this script (descriptor 9).
  # Nor the caller's output: whoever reads it would wait for the daemons.
  if ! dovecot -c "$dovecot_dir/dovecot.conf" </dev/null >"$log_dir/dovecot-start.log" 2>&1 9>&-; then
    cat "$log_dir/dovecot-start.log" >&2
    fail "Dovecot did not start (log: $log_dir/dovecot.log)"
  fi
  await "Dovecot's IMAP" greets "$imap_port" "* OK"

  # Its own queue folders, created, make the start's slow integrity scan
  # of the installed files needless.
  postfix_do post-install create-missing
  touch "$postfix_spool/quick-start"
  postfix_do start
  await "Postfix's SMTP" greets "$smtp_port" "220"

  # Its own session and process group: stopping ends its workers too.
  PHP_CLI_SERVER_WORKERS=4 ROUNDCUBE_CONFIG_DIR="$rc_dir/config" \
    setsid php -S "127.0.0.1:$http_port" -t /var/lib/roundcube/public_html \
    </dev/null >>"$log_dir/php.log" 2>&1 9>&- &
  echo $! >"$work/php.pid"
  await "Roundcube's web server" serves_login

  {
    echo "FERROWEN_ROUNDCUBE_URL=http://127.0.0.1:$http_port/"
    echo "FERROWEN_ROUNDCUBE_HTTP_PORT=$http_port"
    echo "FERROWEN_ROUNDCUBE_IMAP_PORT=$imap_port"
    echo "FERROWEN_ROUNDCUBE_SMTP_PORT=$smtp_port"
    echo "FERROWEN_ROUNDCUBE_DOMAIN=$domain"
    echo "FERROWEN_ROUNDCUBE_USERS=$(IFS=,; echo "${users[*]}")"
    for user in "${users[@]}"; do echo "FERROWEN_ROUNDCUBE_PASSWORD_$user=$user-pass"; done
    echo "FERROWEN_ROUNDCUBE_MAILDIRS=$mail_dir"
    echo "FERROWEN_ROUNDCUBE_DIR=$work"
  } >"$env_file"
}

# Sends the signal and waits (up to 10 s) until the process is gone; then
# kills what is left.
end_process() {
  local pid=$1
  for _ in $(seq 100); do
    pid_alive "$pid" || return 0
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
}

stop_lab() {
  local pid
  pid=$(watcher_pid)
  if pid_alive "$pid" && [ "$pid" != "${watcher_self:-}" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -f "$work/watcher.pid"

  pid=$(postfix_pid)
  if pid_alive "$pid"; then
    script -qec "postfix -c $postfix_dir stop" /dev/null </dev/null >/dev/null 2>&1 || kill "$pid" 2>/dev/null || true
    end_process "$pid"
  fi
  pid=$(dovecot_pid)
  if pid_alive "$pid"; then
    kill "$pid" 2>/dev/null || true
    end_process "$pid"
  fi
  pid=$(php_pid)
  if pid_alive "$pid"; then
    kill -TERM -- "-$pid" 2>/dev/null || kill "$pid" 2>/dev/null || true
    end_process "$pid"
    kill -KILL -- "-$pid" 2>/dev/null || true
  fi
  rm -f "$work/php.pid" "$env_file"
}

# Stops the lab once the owner process has ended.
watch_owner() {
  local owner=$1
  while pid_alive "$owner"; do sleep 1; done
  watcher_self=$$
  exec 9>"$work/lab.lock"
  flock 9
  stop_lab
}

print_status() {
  local name pid
  for name in php dovecot postfix; do
    pid=$("${name}_pid")
    if pid_alive "$pid"; then echo "$name: running (pid $pid)"; else echo "$name: stopped"; fi
  done
  [ -r "$env_file" ] && grep -E '_(URL|IMAP_PORT|SMTP_PORT)=' "$env_file" || true
}

# --- Commands ----------------------------------------------------------------

command=${1:-}
case "$command" in
install)
  if [ -z "$(missing_packages)" ]; then exit 0; fi
  [ "$(id -u)" -eq 0 ] || as_root "$@"
  install_packages
  ;;
start)
  [ "$(id -u)" -eq 0 ] || as_root "$@"
  install_packages
  mkdir -p "$work"
  exec 9>"$work/lab.lock"
  flock 9
  state=0
  running_state || state=$?
  if [ "$state" -eq 0 ] && [ -r "$env_file" ]; then
    echo "$me: already running in $work" >&2
  else
    # Remains of a lab that died, or a start that failed half-way.
    [ "$state" -eq 1 ] || stop_lab
    if ! (start_lab); then
      stop_lab
      exit 1
    fi
    if [ -n "${FERROWEN_ROUNDCUBE_OWNER_PID:-}" ]; then
      pid_alive "$FERROWEN_ROUNDCUBE_OWNER_PID" || { stop_lab; fail "the owner process $FERROWEN_ROUNDCUBE_OWNER_PID has ended"; }
      setsid bash "$script_path" watch "$FERROWEN_ROUNDCUBE_OWNER_PID" </dev/null >/dev/null 2>&1 9>&- &
      echo $! >"$work/watcher.pid"
    fi
    echo "$me: started in $work" >&2
  fi
  cat "$env_file"
  ;;
env)
  [ -r "$env_file" ] && running_state || fail "no lab runs in $work (start it with: $0 start)"
  cat "$env_file"
  ;;
status)
  print_status
  running_state
  ;;
stop | purge)
  if [ -d "$work" ]; then
    [ "$(id -u)" -eq 0 ] || as_root "$@"
    exec 9>"$work/lab.lock"
    flock 9
    stop_lab
    if [ "$command" = purge ]; then rm -rf "$work"; fi
  fi
  ;;
watch)
  watch_owner "${2:?the owner process}"
  ;;
*)
  echo "usage: $0 install|start|env|status|stop|purge" >&2
  exit 2
  ;;
esac
