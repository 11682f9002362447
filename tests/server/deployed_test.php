<?php
// The scoreboard deployed as the README says, from the files of
// server/deploy with only their paths, addresses and ports changed: nginx
// with the site file, PHP-FPM with the pool file, the verifier worker as its
// service unit starts it, all running as www-data, against a PostgreSQL
// cluster of the test's own whose role (made by setup-postgresql) logs in
// with a password. All on loopback, in a temporary folder.
//   php deployed_test.php one   one node: the game's requests, a database restart,
//                               then scripts/scoreboard-load (SCOREBOARD_LOAD_REQUESTS, default 600)
//   php deployed_test.php two   two nodes (127.0.0.2 and 127.0.0.3) and two workers on one database
// SKITTERWORM_VERIFY names the build's verifier.
declare(strict_types=1);
require __DIR__ . '/support.php';

$repo = dirname(__DIR__, 2);
$nginx = is_executable('/usr/sbin/nginx') ? '/usr/sbin/nginx' : null;
$fpm = (glob('/usr/sbin/php-fpm*') ?: [null])[0];
$verify = getenv('SKITTERWORM_VERIFY') ?: '';
if (!$nginx || !$fpm || !is_executable($verify) || posix_geteuid() !== 0 || !posix_getpwnam('www-data')) {
    echo "deployed scoreboard: skipped (needs root, www-data, nginx, php-fpm and SKITTERWORM_VERIFY)\n";
    exit(77);
}
$cluster = throwaway_postgres('superuser secret');
if (!$cluster) {
    echo "deployed scoreboard: skipped (PostgreSQL is not installed)\n";
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

// The pool file, as README step 1 has it, with its settings for this test.
function pool(array $env): string
{
    global $dir, $pgport, $verify;
    $text = deployed('php-fpm-pool.conf', ['/run/php/skitterworm.sock' => '/run/php/SOCKET',
        'host=127.0.0.1;' => "host=127.0.0.1;port=$pgport;", '/var/lib/skitterworm' => "$dir/lib",
        '"/srv/skitterworm/build/skitterworm-verify"' => "\"$verify\""]);
    foreach ($env as $name => $value) {
        $text = preg_replace("/^env\\[$name\\] = .*$/m", '', $text) . "env[$name] = \"$value\"\n";
    }
    file_put_contents("$dir/pool.conf", $text);
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

// Starts a verifier worker as its service unit does; returns it.
function worker(string $name, array $env = [])
{
    global $dir, $repo;
    $unit = deployed('skitterworm-worker.service', ['/etc/php/8.2/fpm/pool.d/skitterworm.conf' => "$dir/pool.conf"]);
    preg_match('/^ExecStart=(.*)$/m', $unit, $start);
    preg_match_all('/^Environment=(\w+)=(.*)$/m', $unit, $settings);
    @mkdir("$dir/slots", 0755);
    chown("$dir/slots", 'www-data');
    $env += array_combine($settings[1], str_replace('/run/skitterworm-worker', "$dir/slots", $settings[2]));
    return $GLOBALS['running'][] = spawn(array_merge(['runuser', '-u', 'www-data', '--', 'nice', '-n', '19'],
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
$rows = fn (int $port) => explode("\n", post($port, 'a=1&v=1.2.0&f=0&l=15&')[1]);
check(run(["$repo/server/deploy/setup-postgresql", pool([])], ['PGHOST' => '127.0.0.1', 'PGPORT' => $pgport,
    'PGUSER' => 'postgres', 'PGPASSWORD' => 'superuser secret'])[0] === 0, 'setup-postgresql makes the role');

if (($argv[1] ?? 'one') === 'one') {
    pool(['SCOREBOARD_RATE_LIMIT' => '1000000']);
    $port = node('node', '127.0.0.1');
    worker('worker');
    $game = genuine_replay($verify, 5, "Ann \xFC");
    $answers = [
        [fn () => post($port, game_form("Ann \xFC", $game[0])), 200, "success\n"],
        [fn () => post($port, score_form('ann', 5, 1, 9)), 400, "error: stage (st) must be 1 to 99 and wave (w) 1 to 6\n"],
        [fn () => post($port, score_form('ann', 5) . 'r=' . str_repeat('A', 200000)), 413,
            "error: the form is longer than 128 KB\n"],
        [fn () => post($port, '', 'GET', '', '/../../lib/storage.php'), 404, null],
    ];
    foreach ($answers as $i => [$ask, $status, $text]) {
        [$got, $answer] = $ask();
        check($got === $status && ($text === null || $answer === $text), "request $i gives $status "
            . json_encode($text) . " (got $got " . json_encode(substr($answer, 0, 80)) . ')');
    }
    check(wait_until(fn () => array_slice($rows($port), 2, 4) === ["Ann \xFC", ...array_map('strval',
        array_slice($game, 1))]), 'the game is verified and listed');
    check(str_contains(post($port, '', 'GET')[1], "<td>Ann \u{FC}</td><td>{$game[1]}</td><td>A:{$game[3]}</td>"
        . '<td>&#10003; verified'), 'the web page marks it verified');
    $secret = stat("$dir/lib/scoreboard.secret");
    check(($secret['mode'] & 0777) === 0600 && $secret['uid'] === posix_getpwnam('www-data')['uid'], 'the secret');
    $cluster[2]();
    $answers = array_map(fn () => post($port, 'a=1&v=1.2.0&f=0&l=15&')[0], range(1, 12));
    check($answers === array_fill(0, 12, 200), 'every fetch after a database restart answers: ' . json_encode($answers));
    $out = [];
    exec(escapeshellarg("$repo/scripts/scoreboard-load") . " --url http://127.0.0.1:$port/sysops/worm-highscore.php"
        . ' --replays --requests ' . (getenv('SCOREBOARD_LOAD_REQUESTS') ?: '600') . ' --clients '
        . (getenv('SCOREBOARD_LOAD_CLIENTS') ?: '20') . ' ' . (getenv('SCOREBOARD_LOAD_MORE') ?: '') . ' 2>&1',
        $out, $code);
    echo "under load:\n  " . implode("\n  ", $out) . "\n";
    check($code === 0, 'the load runs without errors or lost scores');
} else {
    // Two web nodes and two workers on one database. Each verification
    // takes a second, so that a worker can be stopped in the middle of one.
    $log = "$dir/verifications.log";
    touch($log);
    chmod($log, 0666);
    file_put_contents("$dir/slow-verify", "#!/bin/sh\n[ \"\$1\" = --verify ] || exec $verify \"\$@\"\n"
        . "game=\$(md5sum <\"\$2\" | cut -c1-32)\necho \"start \$game \$(ps -o pgid= -p \$\$)\" >>$log\nsleep 1\n"
        . "$verify \"\$@\"\nstatus=\$?\necho \"end \$game\" >>$log\nexit \$status\n");
    chmod("$dir/slow-verify", 0755);
    pool(['SCOREBOARD_VERIFIER' => "$dir/slow-verify", 'SCOREBOARD_LEASE_SECONDS' => '4']);
    $nodes = ['127.0.0.2' => node('node2', '127.0.0.2'), '127.0.0.3' => node('node3', '127.0.0.3')];
    worker('worker1');
    worker('worker2');
    // Post $i goes to one node, the next to the other.
    $post = fn (int $i, string $form, string $from) => post(array_values($nodes)[$i % 2], $form, 'POST', '', '',
        array_keys($nodes)[$i % 2], $from)[0];

    // The limit holds across the nodes: one network's attempts on either,
    // stored or refused, pass ten times in all.
    $flood = game_form('flood', preg_replace('/^score \d+/m', 'score 9999', genuine_replay($verify, 1, 'flood')[0]));
    $answers = array_map(fn ($i) => $post($i, $flood, '127.0.0.9'), range(0, 39));
    $passed = count(array_filter($answers, fn ($status) => $status !== 429));
    check($passed === 10, "one network passes its limit of 10 once across two nodes (passed $passed)");

    // Twenty games from twenty networks, posted to either node: each is
    // verified exactly once, the one whose worker is killed in the middle too.
    foreach (range(0, 19) as $i) {
        check($post($i, game_form("p$i", genuine_replay($verify, 100 + $i, "p$i")[0]), "127.0.1.$i") === 200,
            "game $i is taken");
    }
    $logged = fn () => (string) file_get_contents($log);
    check((bool) wait_until(fn () => preg_match('/^start \w+ +(\d+)$/m', $logged(), $first) ? $first : null, 20),
        'a verification starts');
    preg_match('/^start \w+ +(\d+)$/m', $logged(), $first);
    posix_kill(-(int) $first[1], 9);
    wait_until(fn () => substr_count($logged(), 'end ') >= 21, 90);
    preg_match_all('/^end (\w+)$/m', $logged(), $ends);
    $times = array_count_values($ends[1]);
    check(count($times) === 21 && max($times) === 1 && substr_count($logged(), 'start ') > 21
        && post($nodes['127.0.0.3'], 'action=5&v=1.2.0&', 'POST', '', '', '127.0.0.3')[1] === "20\n",
        "every game is verified exactly once (games verified " . count($times) . ', most times '
        . max($times ?: [0]) . ', verifications begun ' . substr_count($logged(), 'start ') . ')');
}

end_all();
if ($failures === 0) {
    exec('rm -rf ' . escapeshellarg($dir));
}
finish('deployed scoreboard');
