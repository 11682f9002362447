<?php
// The bundled scoreboard script under PHP's built-in web server: what it
// refuses, what it stores, under parallel posts and its rate limit; on a
// fresh SQLite file, and on a throwaway PostgreSQL database when
// SCOREBOARD_TEST_PGSQL_DSN names one and PDO can reach it.
declare(strict_types=1);

$failures = 0;
function check(bool $ok, string $what): void
{
    global $failures;
    if (!$ok) {
        $failures++;
        fwrite(STDERR, "FAILED: $what\n");
    }
}

function free_port(): int
{
    $s = stream_socket_server('tcp://127.0.0.1:0');
    $port = (int) substr(strrchr(stream_socket_get_name($s, false), ':'), 1);
    fclose($s);
    return $port;
}

// Starts the script with the given settings; returns [process, port].
function start(array $env): array
{
    $port = free_port();
    $root = dirname(__DIR__, 2) . '/server/public';
    $env += ['PHP_CLI_SERVER_WORKERS' => '4', 'PATH' => getenv('PATH')];
    // In a session of its own, so stopping it also stops its workers.
    $process = proc_open(['setsid', 'php', '-S', "127.0.0.1:$port", '-t', $root], [0 => ['file', '/dev/null', 'r'],
        1 => ['file', '/dev/null', 'w'], 2 => ['file', '/dev/null', 'w']], $pipes, null, $env);
    for ($i = 0; $i < 100; $i++) {
        $s = @stream_socket_client("tcp://127.0.0.1:$port", $errno, $error, 1);
        if ($s) {
            fclose($s);
            break;
        }
        usleep(50000);
    }
    return [$process, $port];
}

function stop($process): void
{
    posix_kill(-proc_get_status($process)['pid'], 15);  // SIGTERM
    proc_close($process);
}

// Writes a raw form post (the body as given) and returns the open socket.
function send(int $port, string $body, string $method = 'POST')
{
    $s = stream_socket_client("tcp://127.0.0.1:$port", $errno, $error, 5);
    stream_set_timeout($s, 10);
    fwrite($s, "$method /sysops/worm-highscore.php HTTP/1.0\r\nHost: 127.0.0.1\r\n"
        . "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " . strlen($body) . "\r\n\r\n$body\r\n\r\n");
    return $s;
}

// Reads the answer of send(): [status, body].
function receive($s): array
{
    $answer = stream_get_contents($s);
    fclose($s);
    [$head, $body] = explode("\r\n\r\n", $answer, 2) + ['', ''];
    return [(int) substr($head, 9, 3), $body];
}

function post(int $port, string $body, string $method = 'POST'): array
{
    return receive(send($port, $body, $method));
}

function submit(int $port, string $name, int $score, int $stage = 1, int $wave = 1): array
{
    $s = $score * 9 + ($stage + $wave) * 42;
    return post($port, 'a=2&u=' . urlencode($name) . "&s=$s&st=$stage&w=$wave&v=1.2.0&");
}

function count_scores(int $port): int
{
    return (int) trim(post($port, 'action=5&v=1.2.0&')[1]);
}

// $fresh() gives the settings of an empty scoreboard.
function suite(string $label, callable $fresh): void
{
    [$server, $port] = start($fresh() + ['SCOREBOARD_RATE_LIMIT' => '1000']);
    $valid = 'u=ann&s=' . (1000 * 9 + 5 * 42) . '&st=2&w=3&v=1.2.0';
    $refused = [
        // body => status
        "a=9&$valid" => 400,                                   // unknown action
        $valid => 400,                                         // no action
        'a=2&u=ann&s=9210&st=2&w=3&v=9.9.9' => 400,           // unknown version
        'a=2&u=ann&s=9210&st=2&w=3' => 400,                   // no version
        'a=2&u=' . str_repeat('x', 33) . '&s=9210&st=2&w=3&v=1.2.0' => 400,  // longer than the name entry
        'a=2&u=a%0Ab&s=9210&st=2&w=3&v=1.2.0' => 400,         // a line break would split the answer
        'a=2&u=ann&s=9211&st=2&w=3&v=1.2.0' => 400,           // not score x 9 + (stage + wave) x 42
        'a=2&u=ann&s=-9210&st=2&w=3&v=1.2.0' => 400,
        'a=2&u=ann&s=9210x&st=2&w=3&v=1.2.0' => 400,
        'a=2&u=ann&s=3000000000&st=2&w=3&v=1.2.0' => 400,     // beyond 32 bits
        'a=2&u=ann&s=84&st=0&w=2&v=1.2.0' => 400,             // stage 0
        'a=2&u=ann&s=10794&st=1&w=256&v=1.2.0' => 400,        // wave beyond a byte
        'a=2&u[]=ann&s=9210&st=2&w=3&v=1.2.0' => 400,         // a list is no name
        'a=2&s=9210&st=2&w=3&v=1.2.0' => 400,                 // no name
        'a=1&v=1.2.0&f=0&l=101' => 400,                       // more than a page
        'a=1&v=1.2.0&f=-1&l=15' => 400,
        "a=2&$valid&pad=" . str_repeat('x', 5000) => 413,
    ];
    foreach ($refused as $body => $status) {
        [$got, $text] = post($port, $body);
        check($got === $status && str_starts_with($text, 'error: '), "$label: \"" . substr($body, 0, 60)
            . "\" gives $status and an error line (got $got: " . trim($text) . ')');
    }
    check(post($port, '', 'PUT')[0] === 405, "$label: PUT is refused");
    check(count_scores($port) === 0, "$label: nothing refused was stored");

    $tricky = ["Robert'); DROP TABLE scores;--", '" OR 1=1 --', '%_\\', "A & B = 100% \xFC"];
    foreach ($tricky as $i => $name) {
        check(submit($port, $name, 500 - $i)[1] === "success\n", "$label: \"$name\" is stored");
    }
    [$status, $rows] = post($port, 'a=1&v=1.2.0&f=0&l=100&');
    $lines = explode("\n", $rows);
    check($status === 200 && count($lines) === 6 * count($tricky) + 1, "$label: six lines a row");
    foreach ($tricky as $i => $name) {
        check(($lines[6 * $i + 2] ?? null) === $name, "$label: \"$name\" comes back as it went in");
    }
    check(post($port, '', 'GET')[0] === 200, "$label: the web page answers");

    // Twenty games posted at once all land.
    $sockets = [];
    for ($i = 0; $i < 20; $i++) {
        $sockets[] = send($port, 'a=2&u=p' . $i . '&s=' . (100 * 9 + 2 * 42) . '&st=1&w=1&v=1.2.0&');
    }
    $stored = 0;
    foreach ($sockets as $s) {
        $stored += receive($s)[1] === "success\n" ? 1 : 0;
    }
    check($stored === 20 && count_scores($port) === 20 + count($tricky), "$label: 20 parallel posts stored");
    stop($server);

    // One address may post only so many scores a minute.
    [$server, $port] = start($fresh() + ['SCOREBOARD_RATE_LIMIT' => '3']);
    $answers = [];
    for ($i = 0; $i < 5; $i++) {
        $answers[] = submit($port, "r$i", 10)[0];
    }
    check($answers === [200, 200, 200, 429, 429], "$label: the fourth post within the window is refused");
    check(count_scores($port) === 3, "$label: refused posts are not stored");
    stop($server);
}

$dir = sys_get_temp_dir() . '/skitterworm-scoreboard-' . getmypid();
@mkdir($dir);
$files = 0;
suite('sqlite', function () use ($dir, &$files) {
    return ['SCOREBOARD_SQLITE' => "$dir/scores" . ++$files . '.sqlite'];
});
array_map('unlink', glob("$dir/*"));
rmdir($dir);

// A throwaway PostgreSQL cluster on a loopback port, when PostgreSQL and
// PDO's driver for it are installed; returns [DSN, stop] or null.
function throwaway_postgres(): ?array
{
    $bin = glob('/usr/lib/postgresql/*/bin/initdb');
    if (!$bin || !in_array('pgsql', PDO::getAvailableDrivers(), true)) {
        return null;
    }
    $bin = dirname(end($bin));
    $dir = sys_get_temp_dir() . '/skitterworm-pg-' . getmypid();
    mkdir($dir, 0700);
    // PostgreSQL refuses to run as root: the cluster then belongs to its own user.
    $as = [];
    if (posix_geteuid() === 0) {
        chown($dir, 'postgres');
        $as = ['runuser', '-u', 'postgres', '--'];
    }
    $port = free_port();
    $run = function (array $command) use ($as): bool {
        $p = proc_open(array_merge($as, $command), [0 => ['file', '/dev/null', 'r'],
            1 => ['file', '/dev/null', 'w'], 2 => ['file', '/dev/null', 'w']], $pipes);
        return proc_close($p) === 0;
    };
    $stop = function () use ($run, $bin, $dir): void {
        $run(["$bin/pg_ctl", '-D', "$dir/data", '-m', 'immediate', 'stop']);
        exec('rm -rf ' . escapeshellarg($dir));
    };
    if (!$run(["$bin/initdb", '-D', "$dir/data", '-A', 'trust', '-U', 'scoreboard', '--no-sync'])
        || !$run(["$bin/pg_ctl", '-D', "$dir/data", '-w', '-l', "$dir/log", '-o',
            "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off", 'start'])) {
        $stop();
        return null;
    }
    return ["pgsql:host=127.0.0.1;port=$port;dbname=postgres;user=scoreboard", $stop];
}

$dsn = getenv('SCOREBOARD_TEST_PGSQL_DSN');
$stop = null;
if (!$dsn && ($cluster = throwaway_postgres())) {
    [$dsn, $stop] = $cluster;
}
if ($dsn) {
    suite('pgsql', function () use ($dsn) {
        (new PDO($dsn))->exec('DROP TABLE IF EXISTS scores');
        return ['SCOREBOARD_DSN' => $dsn];
    });
    echo "PostgreSQL: checked\n";
} else {
    echo "PostgreSQL: skipped (not installed, or no PDO driver for it)\n";
}
if ($stop) {
    $stop();
}

echo $failures === 0 ? "scoreboard: all checks passed\n" : "scoreboard: $failures checks failed\n";
exit($failures === 0 ? 0 : 1);
