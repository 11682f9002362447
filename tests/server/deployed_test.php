<?php
// The scoreboard deployed as the README says, past one machine, from the
// files of server/deploy with only their paths, addresses and ports changed:
// two web nodes (nginx with the site file and PHP-FPM with the pool file, on
// 127.0.0.2 and 127.0.0.3) and two verifier workers as their service unit
// starts them, all running as www-data, on one PostgreSQL cluster of the
// test's own whose role (made by setup-postgresql) logs in with a password.
// All on loopback, in a temporary folder. The game's requests, the limit
// across the nodes, every game verified once (a worker killed in the middle
// of one too), a database restart, then scripts/scoreboard-load
// (SCOREBOARD_LOAD_REQUESTS, default 600; SCOREBOARD_LOAD_MORE adds options).
// SKITTERWORM_VERIFY names the build's verifier.
declare(strict_types=1);
require __DIR__ . '/support.php';

$repo = dirname(__DIR__, 2);
$nginx = is_executable('/usr/sbin/nginx') ? '/usr/sbin/nginx' : null;
$fpm = (glob('/usr/sbin/php-fpm*') ?: [null])[0];
$verify = getenv('SKITTERWORM_VERIFY') ?: '';
if (!$nginx || !$fpm || !is_executable($verify) || posix_geteuid() !== 0 || !posix_getpwnam('www-data')
    || !($cluster = throwaway_postgres('superuser secret'))) {
    echo "deployed scoreboard: skipped (needs root, www-data, nginx, php-fpm, PostgreSQL and SKITTERWORM_VERIFY)\n";
    exit(77);
}
preg_match('/port=(\d+)/', $cluster[0], $m);
$pgport = $m[1];
$dir = sys_get_temp_dir() . '/skitterworm-deployed-' . getmypid();
mkdir("$dir/lib", 0755, true);
chmod($dir, 0755);
chown("$dir/lib", 'www-data');

// A file of server/deploy with the test's places in it.
function deployed(string $file, array $changes): string
{
    global $repo;
    $text = strtr(file_get_contents("$repo/server/deploy/$file"), $changes);
    return str_replace('/srv/skitterworm', $repo, $text);
}

// The pool file, as README step 1 has it, with the test's verifier: a
// wrapper that logs each verification and, while $dir/slow exists, takes a
// second for it, so that a worker can be stopped in the middle of one.
function pool(): string
{
    global $dir, $pgport, $verify;
    file_put_contents("$dir/verify", "#!/bin/sh\n[ \"\$1\" = --verify ] || exec $verify \"\$@\"\n"
        . "game=\$(md5sum <\"\$2\" | cut -c1-32)\necho \"start \$game \$(ps -o pgid= -p \$\$)\" >>$dir/log\n"
        . "[ -e $dir/slow ] && sleep 1\n$verify \"\$@\"\nstatus=\$?\necho \"end \$game\" >>$dir/log\nexit \$status\n");
    chmod("$dir/verify", 0755);
    touch("$dir/log");
    chmod("$dir/log", 0666);
    $text = deployed('php-fpm-pool.conf', ['/run/php/skitterworm.sock' => '/run/php/SOCKET',
        'host=127.0.0.1;' => "host=127.0.0.1;port=$pgport;", '/var/lib/skitterworm' => "$dir/lib",
        '"/srv/skitterworm/build/skitterworm-verify"' => "\"$dir/verify\""]);
    file_put_contents("$dir/pool.conf", "$text\nenv[SCOREBOARD_LEASE_SECONDS] = \"4\"\n"
        . "env[SCOREBOARD_CACHE_DIR] = \"$dir/lib\"\n");
    chown("$dir/pool.conf", 'root');
    chgrp("$dir/pool.conf", 'www-data');
    chmod("$dir/pool.conf", 0640);
    return "$dir/pool.conf";
}

// Starts PHP-FPM and nginx for one web node on $address; returns its port.
function node(string $name, string $address): int
{
    global $dir, $nginx, $fpm;
    $at = "$dir/$name";
    mkdir($at, 0755);
    symlink('/etc/nginx/fastcgi_params', "$at/fastcgi_params");
    file_put_contents("$at/fpm.conf", "[global]\npid = $at/fpm.pid\nerror_log = $at/fpm.log\ndaemonize = no\n"
        . str_replace('/run/php/SOCKET', "$at/php.sock", file_get_contents("$dir/pool.conf")));
    $port = free_port();
    file_put_contents("$at/site.conf", deployed('nginx-site.conf', ['listen 80;' => "listen $address:$port;",
        'listen [::]:80;' => '', '/run/php/skitterworm.sock' => "$at/php.sock"]));
    file_put_contents("$at/nginx.conf", "user www-data;\ndaemon off;\nworker_processes auto;\npid $at/nginx.pid;\n"
        . "error_log $at/nginx.log;\nevents { worker_connections 4096; }\nhttp {\naccess_log off;\n"
        . "client_body_temp_path $at/body;\nfastcgi_temp_path $at/fastcgi;\ninclude $at/site.conf;\n}\n");
    $GLOBALS['running'][] = spawn([$fpm, '-F', '-y', "$at/fpm.conf", '-p', $at], [], "$at/fpm.out");
    $GLOBALS['running'][] = spawn([$nginx, '-p', $at, '-c', "$at/nginx.conf", '-e', "$at/nginx.log"], [], "$at/nginx.out");
    check(wait_for_port($port, $address) && wait_until(fn () => file_exists("$at/php.sock"), 10),
        "$name: nginx and PHP-FPM start (see $at)");
    return $port;
}

// Starts a verifier worker as its service unit does.
function worker(string $name): void
{
    global $dir, $repo;
    $unit = deployed('skitterworm-worker.service', ['/etc/php/8.2/fpm/pool.d/skitterworm.conf' => "$dir/pool.conf"]);
    preg_match('/^ExecStart=(.*)$/m', $unit, $start);
    preg_match_all('/^Environment=(\w+)=(.*)$/m', $unit, $settings);
    @mkdir("$dir/slots", 0755);
    chown("$dir/slots", 'www-data');
    $env = array_combine($settings[1], str_replace('/run/skitterworm-worker', "$dir/slots", $settings[2]))
        + ['TMPDIR' => "$dir/lib"];  // a killed worker's replay stays in the test's folder
    $GLOBALS['running'][] = spawn(array_merge(['runuser', '-u', 'www-data', '--', 'nice', '-n', '19'],
        explode(' ', $start[1])), $env, "$dir/$name.log");
}

// Whatever happens, what the test started ends with it.
$GLOBALS['running'] = [];
function end_all(): void
{
    global $cluster;
    foreach (array_reverse($GLOBALS['running']) as $process) {
        stop($process);
    }
    $GLOBALS['running'] = [];
    $cluster && $cluster[1]();
    $cluster = null;
}
register_shutdown_function('end_all');
check(run(["$repo/server/deploy/setup-postgresql", pool()], ['PGHOST' => '127.0.0.1', 'PGPORT' => $pgport,
    'PGUSER' => 'postgres', 'PGPASSWORD' => 'superuser secret'])[0] === 0, 'setup-postgresql makes the role');
$nodes = ['127.0.0.2' => node('node2', '127.0.0.2'), '127.0.0.3' => node('node3', '127.0.0.3')];
worker('worker1');
worker('worker2');
// Request $i goes to one node, the next to the other; [status, answer].
$ask = fn (int $i, string $form, string $from = '0', string $method = 'POST', string $path = '') =>
    post(array_values($nodes)[$i % 2], $form, $method, '', $path, array_keys($nodes)[$i % 2], $from);

$game = genuine_replay($verify, 5, "Ann \xFC");
$answers = [
    [fn () => $ask(0, game_form("Ann \xFC", $game[0])), 200, "success\n"],
    [fn () => $ask(1, score_form('ann', 5, 1, 9)), 400, "error: stage (st) must be 1 to 99 and wave (w) 1 to 6\n"],
    [fn () => $ask(0, score_form('ann', 5) . 'r=' . str_repeat('A', 200000)), 413,
        "error: the form is longer than 128 KB\n"],
    [fn () => $ask(1, '', '0', 'GET', '/../../lib/storage.php'), 404, null],
];
foreach ($answers as $i => [$request, $status, $text]) {
    [$got, $answer] = $request();
    check($got === $status && ($text === null || $answer === $text), "request $i gives $status "
        . json_encode($text) . " (got $got " . json_encode(substr($answer, 0, 80)) . ')');
}
check(wait_until(fn () => array_slice(explode("\n", $ask(1, 'a=1&v=1.2.0&f=0&l=15&')[1]), 2, 4)
    === ["Ann \xFC", ...array_map('strval', array_slice($game, 1))]), 'the game is verified and listed on both nodes');
check(str_contains($ask(0, '', '0', 'GET')[1], "<td>Ann \u{FC}</td><td>{$game[1]}</td><td>A:{$game[3]}</td>"
    . '<td>&#10003; verified'), 'the web page marks it verified');
$secret = stat("$dir/lib/scoreboard.secret");
check(($secret['mode'] & 0777) === 0600 && $secret['uid'] === posix_getpwnam('www-data')['uid'], 'the secret');

// The limit holds across the nodes: one network's attempts on either,
// stored or refused, pass ten times in all.
$flood = game_form('flood', preg_replace('/^score \d+/m', 'score 9999', genuine_replay($verify, 1, 'flood')[0]));
$passed = count(array_filter(range(0, 39), fn ($i) => $ask($i, $flood, '127.0.0.9')[0] !== 429));
check($passed === 10, "one network passes its limit of 10 once across two nodes (passed $passed)");

// Twenty games from twenty networks, posted to either node: each is
// verified exactly once, the one whose worker is killed in the middle too.
touch("$dir/slow");
$logged = fn () => (string) file_get_contents("$dir/log");
$begun = substr_count($logged(), 'start ');
foreach (range(0, 19) as $i) {
    check($ask($i, game_form("p$i", genuine_replay($verify, 100 + $i, "p$i")[0]), "127.0.1.$i")[0] === 200,
        "game $i is taken");
}
// The worker that began a verification last is in the middle of it (each takes a second).
$killed = (int) wait_until(fn () => preg_match_all('/^start \w+ +(\d+)$/m', $logged(), $m) > $begun ? end($m[1])
    : 0, 20);
posix_kill(-$killed, 9);
wait_until(fn () => substr_count($logged(), 'end ') >= 22, 90);
unlink("$dir/slow");
preg_match_all('/^end (\w+)$/m', $logged(), $ends);
$times = array_count_values($ends[1]);
check($killed > 0 && count($times) === 22 && max($times) === 1 && substr_count($logged(), 'start ') > 22
    && $ask(1, 'action=5&v=1.2.0&')[1] === "21\n", 'every game is verified exactly once (games verified '
    . count($times) . ', most times ' . max($times ?: [0]) . ', begun ' . substr_count($logged(), 'start ') . ')');

// A restarted database costs no request; then the game's load.
$cluster[2]();
$statuses = array_map(fn ($i) => $ask($i, 'a=1&v=1.2.0&f=0&l=15&')[0], range(0, 15));
check($statuses === array_fill(0, 16, 200), 'every fetch after a database restart answers: ' . json_encode($statuses));
[$code, $out] = run(array_merge(["$repo/scripts/scoreboard-load", '--url', 'http://127.0.0.2:' . $nodes['127.0.0.2']
    . '/sysops/worm-highscore.php', '--replays', '--requests', getenv('SCOREBOARD_LOAD_REQUESTS') ?: '600',
    '--clients', getenv('SCOREBOARD_LOAD_CLIENTS') ?: '20'],
    array_filter(explode(' ', getenv('SCOREBOARD_LOAD_MORE') ?: ''))));
echo "under load:\n$out";
check($code === 0, 'the load runs without errors or lost scores');

end_all();
if ($failures === 0) {
    exec('rm -rf ' . escapeshellarg($dir));
}
finish('deployed scoreboard');
