<?php
// What the scoreboard's tests share: free loopback ports, processes of
// their own, a throwaway PostgreSQL cluster, and plain HTTP requests.
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

// Starts a command in a session of its own (so stopping it also stops its
// workers), its output into $log.
function spawn(array $command, array $env = [], string $log = '/dev/null')
{
    return proc_open(array_merge(['setsid'], $command), [0 => ['file', '/dev/null', 'r'], 1 => ['file', $log, 'a'],
        2 => ['file', $log, 'a']], $pipes, null, $env + getenv());
}

// Runs a command to its end with more settings; gives [exit status, output].
function run(array $command, array $env = []): array
{
    $p = proc_open($command, [0 => ['file', '/dev/null', 'r'], 1 => ['pipe', 'w'], 2 => ['file', '/dev/null', 'w']],
        $pipes, null, $env + getenv());
    $output = stream_get_contents($pipes[1]);
    fclose($pipes[1]);
    return [proc_close($p), $output];
}

function stop($process): void
{
    posix_kill(-proc_get_status($process)['pid'], 15);  // SIGTERM
    proc_close($process);
}

function wait_for_port(int $port, string $address = '127.0.0.1'): bool
{
    for ($i = 0; $i < 200; $i++) {
        $s = @stream_socket_client("tcp://$address:$port", $errno, $error, 1);
        if ($s) {
            fclose($s);
            return true;
        }
        usleep(50000);
    }
    return false;
}

// Writes a raw request (the body as given) and returns the open socket.
// $address is the server's, $from the address the request comes from.
function send(int $port, string $body, string $method = 'POST', string $extra = '', string $path = '',
    string $address = '127.0.0.1', string $from = '0')
{
    $s = stream_socket_client("tcp://$address:$port", $errno, $error, 5, STREAM_CLIENT_CONNECT,
        stream_context_create(['socket' => ['bindto' => "$from:0"]]));
    stream_set_timeout($s, 20);
    fwrite($s, "$method /sysops/worm-highscore.php$path HTTP/1.0\r\nHost: 127.0.0.1\r\n$extra"
        . "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " . strlen($body) . "\r\n\r\n$body");
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

function post(int $port, string $body, string $method = 'POST', string $extra = '', string $path = '',
    string $address = '127.0.0.1', string $from = '0'): array
{
    return receive(send($port, $body, $method, $extra, $path, $address, $from));
}

// The set-score form as the game sends it; $more adds fields (the replay).
function score_form(string $name, int $score, int $stage = 1, int $wave = 1, string $more = ''): string
{
    $s = $score * 9 + ($stage + $wave) * 42;
    return 'a=2&u=' . urlencode($name) . "&s=$s&st=$stage&w=$wave&v=1.2.0&$more";
}

// The form posting a game of genuine_replay() with the result it claims.
function game_form(string $name, string $replay): string
{
    preg_match('/^score (\d+)\nstage (\d+)\nwave (\d+)/m', $replay, $m);
    return score_form($name, (int) $m[1], (int) $m[2], (int) $m[3], 'r=' . urlencode(base64_encode($replay)));
}

function count_scores(int $port): int
{
    return (int) trim(post($port, 'action=5&v=1.2.0&')[1]);
}

// A throwaway PostgreSQL cluster on a loopback port, when PostgreSQL and
// PDO's driver for it are installed; returns [DSN, stop, restart] or null.
// Its superuser logs in without a password, or, given one, as postgres with it.
function throwaway_postgres(?string $password = null): ?array
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
    $restart = fn () => $run(["$bin/pg_ctl", '-D', "$dir/data", '-w', '-m', 'fast', 'restart']);
    file_put_contents("$dir/password", (string) $password);
    chmod("$dir/password", 0644);
    $auth = $password === null ? ['-A', 'trust', '-U', 'scoreboard'] : ['-A', 'scram-sha-256', '-U', 'postgres',
        "--pwfile=$dir/password"];
    if (!$run(array_merge(["$bin/initdb", '-D', "$dir/data", '--no-sync'], $auth))
        || !$run(["$bin/pg_ctl", '-D', "$dir/data", '-w', '-l', "$dir/log", '-o',
            "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200", 'start'])) {
        $stop();
        return null;
    }
    return ["pgsql:host=127.0.0.1;port=$port;dbname=postgres;user=" . ($password === null ? 'scoreboard'
        : "postgres;password=$password"), $stop, $restart];
}

// The settings of an empty scoreboard: a fresh SQLite file in $dir, or the
// PostgreSQL database $dsn with its table dropped.
function fresh_settings(string $dir, ?string $dsn): array
{
    static $files = 0;
    if ($dsn === null) {
        return ['SCOREBOARD_SQLITE' => "$dir/scores" . ++$files . '.sqlite', 'SCOREBOARD_CACHE_DIR' => $dir];
    }
    (new PDO($dsn))->exec('DROP TABLE IF EXISTS scores, attempts, board');
    return ['SCOREBOARD_DSN' => $dsn, 'SCOREBOARD_SECRET_FILE' => "$dir/pg" . ++$files . '.secret',
        'SCOREBOARD_CACHE_DIR' => "$dir/cache$files"];
}

// A game of fire held from $seed under the keyboard, recorded by the
// build's recorder beside the verifier: quit after $frames frames (or over by
// itself), signed by $name. Returns [replay, score, stage, wave].
function genuine_replay(string $verifier, int $seed, string $name, int $frames = 600): array
{
    $file = tempnam(sys_get_temp_dir(), 'replay-');
    $build = dirname($verifier);
    // No shell between: the name's bytes go as they are.
    $recorder = proc_open(["$build/record_corpus", $build, '--game', (string) $seed, (string) $frames, $name, $file],
        [], $pipes);
    $status = proc_close($recorder);
    $replay = (string) file_get_contents($file);
    unlink($file);
    preg_match('/^score (\d+)\nstage (\d+)\nwave (\d+)\n/m', $replay, $m);
    if ($status !== 0 || !$m) {
        throw new RuntimeException("the recorder made no game of seed $seed");
    }
    return [$replay, (int) $m[1], (int) $m[2], (int) $m[3]];
}

// Waits (at most $seconds) until $done() gives something true; gives its last answer.
function wait_until(callable $done, int $seconds = 30): mixed
{
    for ($end = microtime(true) + $seconds; !($answer = $done()) && microtime(true) < $end;) {
        usleep(100000);
    }
    return $answer;
}

function finish(string $name): never
{
    global $failures;
    echo $failures === 0 ? "$name: all checks passed\n" : "$name: $failures checks failed\n";
    exit($failures === 0 ? 0 : 1);
}
