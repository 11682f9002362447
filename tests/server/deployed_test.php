<?php
// The scoreboard deployed as the README says: nginx with the README's
// configuration (server/deploy/nginx-scoreboard.conf, included by both) in
// front of PHP-FPM, on SQLite and on a throwaway PostgreSQL cluster, all
// started here on loopback ports in a temporary folder. The game's requests
// go through it, then scripts/scoreboard-load with a small count
// (SCOREBOARD_LOAD_REQUESTS, default 600; its figures are printed).
declare(strict_types=1);
require __DIR__ . '/support.php';

$repo = dirname(__DIR__, 2);
$nginx = is_executable('/usr/sbin/nginx') ? '/usr/sbin/nginx' : null;
$fpm = (glob('/usr/sbin/php-fpm*') ?: [null])[0];
if (!$nginx || !$fpm) {
    echo "deployed scoreboard: skipped (nginx or php-fpm is not installed; scripts/setup installs them)\n";
    exit(77);
}

// Starts PHP-FPM and nginx in $dir with the scoreboard's settings; returns
// [port, stop]. As root, both run their workers as root too: the folder is ours.
function deploy(string $dir, array $settings): array
{
    global $repo, $nginx, $fpm;
    @mkdir($dir, 0700, true);
    $root = posix_geteuid() === 0;
    $env = '';
    foreach ($settings as $name => $value) {
        $env .= "env[$name] = \"$value\"\n";
    }
    file_put_contents("$dir/fpm.conf", "[global]\npid = $dir/fpm.pid\nerror_log = $dir/fpm.log\ndaemonize = no\n"
        . "[scoreboard]\n" . ($root ? "user = root\ngroup = root\n" : '') . "listen = $dir/php.sock\n"
        . "pm = static\npm.max_children = " . (getenv('SCOREBOARD_FPM_WORKERS') ?: '6') . "\n"
        . "catch_workers_output = yes\n$env");
    symlink('/etc/nginx/fastcgi_params', "$dir/fastcgi_params");
    $port = free_port();
    file_put_contents("$dir/nginx.conf", ($root ? "user root root;\n" : '') . "daemon off;\nworker_processes 1;\n"
        . "pid $dir/nginx.pid;\nerror_log $dir/nginx.log;\nevents { worker_connections 1024; }\nhttp {\n"
        . "access_log off;\nclient_body_temp_path $dir/body;\nfastcgi_temp_path $dir/fastcgi;\n"
        . "proxy_temp_path $dir/proxy;\nuwsgi_temp_path $dir/uwsgi;\nscgi_temp_path $dir/scgi;\n"
        . "upstream skitterworm_php { server unix:$dir/php.sock; }\n"
        . "server {\nlisten 127.0.0.1:$port;\nserver_name localhost;\nroot $repo/server/public;\n"
        . "include $repo/server/deploy/nginx-scoreboard.conf;\n}\n}\n");
    $php = spawn([$fpm, '-F', '-R', '-y', "$dir/fpm.conf", '-p', $dir], [], "$dir/fpm.out");
    $web = spawn([$nginx, '-p', $dir, '-c', "$dir/nginx.conf", '-e', "$dir/nginx.log"], [], "$dir/nginx.out");
    for ($i = 0; $i < 100 && !file_exists("$dir/php.sock"); $i++) {
        usleep(50000);
    }
    check(wait_for_port($port) && file_exists("$dir/php.sock"), "nginx and PHP-FPM start (see $dir)");
    return [$port, function () use ($php, $web) {
        stop($web);
        stop($php);
    }];
}

function game_requests(string $label, int $port): void
{
    $answers = [
        [score_form("Ann \xFC", 1234, 2, 3), 200, "success\n"],
        ['a=1&v=1.2.0&f=0&l=15&', 200, null],
        ['action=5&v=1.2.0&', 200, "1\n"],
        [score_form('ann', 5, 1, 9), 400, "error: stage (st) must be 1 to 99 and wave (w) 1 to 6\n"],
        [score_form('ann', 5) . 'r=' . str_repeat('A', 200000), 413, "error: the form is longer than 128 KB\n"],
    ];
    foreach ($answers as [$body, $status, $text]) {
        [$got, $answer] = post($port, $body);
        check($got === $status && ($text === null || $answer === $text), "$label: \"" . substr($body, 0, 40)
            . "\" gives $status " . json_encode($text) . " (got $got " . json_encode(substr($answer, 0, 80)) . ')');
    }
    $rows = explode("\n", post($port, 'a=1&v=1.2.0&f=0&l=15&')[1]);
    check(array_slice($rows, 2, 4) === ["Ann \xFC", '1234', '2', '3'], "$label: the stored score is listed");
    [$status, $page] = post($port, '', 'GET');
    check($status === 200 && str_contains($page, "<td>Ann \u{FC}</td><td>1234</td><td>B:3</td>"), "$label: the web page");
    check(post($port, '', 'GET', '', '/../../lib/storage.php')[0] === 404, "$label: nothing else is served");
}

function load(string $label, int $port): void
{
    global $repo;
    $requests = getenv('SCOREBOARD_LOAD_REQUESTS') ?: '600';
    $clients = getenv('SCOREBOARD_LOAD_CLIENTS') ?: '20';
    $out = [];
    exec(escapeshellarg("$repo/scripts/scoreboard-load") . " --url http://127.0.0.1:$port/sysops/worm-highscore.php"
        . " --requests $requests --clients $clients 2>&1", $out, $code);
    echo "$label under load:\n  " . implode("\n  ", $out) . "\n";
    check($code === 0, "$label: the load runs without errors or lost scores");
}

$dir = sys_get_temp_dir() . '/skitterworm-deployed-' . getmypid();
$stacks = ['sqlite' => fn () => fresh_settings($dir, null)];
$cluster = throwaway_postgres();
if ($cluster) {
    $stacks['pgsql'] = fn () => fresh_settings($dir, $cluster[0]);
} else {
    echo "PostgreSQL: skipped (not installed, or no PDO driver for it)\n";
}
foreach ($stacks as $label => $fresh) {
    $settings = $fresh() + ['SCOREBOARD_RATE_LIMIT' => '1000000'];
    [$port, $stop] = deploy("$dir/$label", $settings);
    game_requests($label, $port);
    load($label, $port);
    $stop();
}
if ($cluster) {
    $cluster[1]();
}
if ($failures === 0) {
    exec('rm -rf ' . escapeshellarg($dir));
}
finish('deployed scoreboard');
