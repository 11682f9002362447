<?php
// The bundled scoreboard script under PHP's built-in web server: what it
// refuses, what it stores, under parallel posts and its rate limit; on a
// fresh SQLite file, and on a throwaway PostgreSQL database when
// SCOREBOARD_TEST_PGSQL_DSN names one and PDO can reach it. Then the
// bundled runner's front, and moving scores between the two databases.
declare(strict_types=1);
require __DIR__ . '/support.php';

const TOKEN = 'test-front-token';

// Starts the script with the given settings; returns [process, port].
function start(array $env): array
{
    $port = free_port();
    $root = dirname(__DIR__, 2) . '/server/public';
    $env += ['PHP_CLI_SERVER_WORKERS' => '4', 'SCOREBOARD_FRONT_TOKEN' => TOKEN];
    $process = spawn(['php', '-S', "127.0.0.1:$port", '-t', $root], $env);
    wait_for_port($port);
    return [$process, $port];
}

// A post from the given address, named as the bundled runner's front names it.
function post_from(int $port, string $address, string $body): int
{
    return post($port, $body, 'POST', 'X-Scoreboard-Front: ' . TOKEN . "\r\nX-Scoreboard-Address: $address\r\n")[0];
}

function rows(int $port): array
{
    return array_chunk(explode("\n", rtrim(post($port, 'a=1&v=1.2.0&f=0&l=100&')[1], "\n")), 6);
}

// $fresh() gives the settings of an empty scoreboard.
function suite(string $label, callable $fresh, callable $sql): void
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
        'a=2&u=a%85b&s=9210&st=2&w=3&v=1.2.0' => 400,         // a C1 control character
        'a=2&u=+%A0+&s=9210&st=2&w=3&v=1.2.0' => 400,         // only blanks
        'a=2&u=ann&s=9211&st=2&w=3&v=1.2.0' => 400,           // not score x 9 + (stage + wave) x 42
        'a=2&u=ann&s=-9210&st=2&w=3&v=1.2.0' => 400,
        'a=2&u=ann&s=9210x&st=2&w=3&v=1.2.0' => 400,
        'a=2&u=ann&s=3000000000&st=2&w=3&v=1.2.0' => 400,     // beyond 32 bits
        'a=2&u=ann&s=84&st=0&w=2&v=1.2.0' => 400,             // stage 0
        score_form('ann', 1000, 2, 7) => 400,                  // a stage has six waves
        score_form('ann', 1000, 200, 1) => 400,                // a stage no game reaches
        score_form('ann', 2000001, 2, 6) => 400,               // more than stage B allows
        score_form('ann', 238000000, 255, 255) => 400,
        score_form('ann', 10, 1, 1, 'r=%21%21') => 400,        // a replay that is not base64
        score_form('ann', 10, 1, 1, 'r=' . urlencode(base64_encode(str_repeat('x', 70000)))) => 413,
        'a=2&u[]=ann&s=9210&st=2&w=3&v=1.2.0' => 400,         // a list is no name
        'a=2&s=9210&st=2&w=3&v=1.2.0' => 400,                 // no name
        'a=1&v=1.2.0&f=0&l=101' => 400,                       // more than a page
        'a=1&v=1.2.0&f=-1&l=15' => 400,
        "a=2&$valid&pad=" . str_repeat('x', 140000) => 413,
    ];
    foreach ($refused as $body => $status) {
        [$got, $text] = post($port, (string) $body);
        check($got === $status && str_starts_with($text, 'error: ') && substr_count($text, "\n") === 1,
            "$label: \"" . substr((string) $body, 0, 60) . "\" gives $status and an error line (got $got: "
            . trim($text) . ')');
    }
    check(post($port, '', 'PUT')[0] === 405, "$label: PUT is refused");
    check(count_scores($port) === 0, "$label: nothing refused was stored");

    $tricky = ["Robert'); DROP TABLE scores;--", '" OR 1=1 --', '%_\\', "A & B = 100% \xFC"];
    foreach ($tricky as $i => $name) {
        check(post($port, score_form($name, 500 - $i))[1] === "success\n", "$label: \"$name\" is stored");
    }
    $rows = rows($port);
    check(count($rows) === count($tricky), "$label: six lines a row");
    foreach ($tricky as $i => $name) {
        check(($rows[$i][2] ?? null) === $name, "$label: \"$name\" comes back as it went in");
    }

    // A retry of a game the scoreboard stored while the game had given up on
    // it, and a replay posted twice from two networks, are stored once.
    $replay = "SKITTERWORM REPLAY 1\nversion 1.2.0\nseed 4242\nscore 300\n\n\x78\x9c\x03\x00";
    $with_replay = score_form('Rae', 300, 1, 2, 'r=' . urlencode(base64_encode($replay)));
    foreach ([score_form('Dup', 33), score_form('Dup', 33), $with_replay] as $body) {
        post($port, $body);
    }
    check(post_from($port, '192.0.2.9', $with_replay) === 200, "$label: a second post of a replay succeeds");
    check(count_scores($port) === count($tricky) + 2, "$label: a game posted twice is stored once");
    $id = array_values(array_filter(rows($port), fn ($row) => $row[2] === 'Rae'))[0][0] ?? '0';
    check(post($port, '', 'GET', '', "?replay=$id")[1] === $replay, "$label: the replay is offered as it came");

    // The web page prints a stage past Z, and a name, as text.
    post($port, score_form('<b>x</b>', 60000, 70, 6));
    [$status, $page] = post($port, '', 'GET');
    check($status === 200 && preg_match('//u', $page) && !preg_match('/[\x00-\x08\x0b-\x1f\x7f]|<b>/', $page)
        && str_contains($page, '&lt;b&gt;x&lt;/b&gt;</td><td>60000</td><td>#70:6'), "$label: the web page is escaped");

    // Twenty games posted at once all land.
    $before = count_scores($port);
    $sockets = [];
    for ($i = 0; $i < 20; $i++) {
        $sockets[] = send($port, score_form("p$i", 100));
    }
    $stored = 0;
    foreach ($sockets as $s) {
        $stored += receive($s)[1] === "success\n" ? 1 : 0;
    }
    check($stored === 20 && count_scores($port) === $before + 20, "$label: 20 parallel posts stored");
    stop($server);

    // One network may post only so many scores a minute: an IPv4 address,
    // or an IPv6 /64; the table keeps salted keys, not addresses.
    $settings = $fresh();
    [$server, $port] = start($settings + ['SCOREBOARD_RATE_LIMIT' => '3']);
    $posts = [
        ['2001:db8::1', 200], ['2001:db8::2', 200], ['2001:db8::3', 200], ['2001:db8::4:5', 429],
        ['2001:db8:0:1::1', 200], ['10.0.0.1', 200], ['10.0.0.1', 200], ['10.0.0.1', 200], ['::ffff:10.0.0.1', 429],
        ['10.0.0.2', 200],
    ];
    foreach ($posts as $i => [$address, $status]) {
        check(post_from($port, $address, score_form("r$i", 10)) === $status, "$label: post $i from $address gives $status");
    }
    check(count_scores($port) === 8, "$label: refused posts are not stored");
    $keys = $sql('SELECT DISTINCT address FROM scores');
    $plain = array_map(fn ($a) => hash('sha256', $a), ['10.0.0.1', '10.0.0.2', '2001:db8::1', '2001:db8::/64']);
    check(count($keys) === 4 && !array_intersect($keys, $plain), "$label: address keys are salted, one per network");
    stop($server);

    // A scoreboard from before replays keeps its scores and takes new ones;
    // with unverified scores unlisted, it lists none of them.
    $settings = $fresh();
    $sql('CREATE TABLE scores (id ' . ($label === 'sqlite' ? 'INTEGER PRIMARY KEY AUTOINCREMENT' : 'BIGINT GENERATED '
        . 'ALWAYS AS IDENTITY PRIMARY KEY') . ', name TEXT NOT NULL, score INTEGER NOT NULL, stage INTEGER NOT NULL, '
        . 'wave INTEGER NOT NULL, created TEXT NOT NULL, address TEXT NOT NULL, posted BIGINT NOT NULL)', $settings);
    $sql("INSERT INTO scores (name, score, stage, wave, created, address, posted) VALUES ('old', 7, 1, 1, "
        . "'2020-01-01 10:00', 'x', 0)", $settings);
    [$server, $port] = start($settings);
    check(post($port, score_form('new', 8))[1] === "success\n" && array_column(rows($port), 2) === ['new', 'old'],
        "$label: an old table gets the new columns and keeps its scores");
    stop($server);
    // A verifier that cannot run refuses replays: nothing is stored unproven.
    [$server, $port] = start($settings + ['SCOREBOARD_LIST_UNVERIFIED' => 'off', 'SCOREBOARD_VERIFIER' => '/nonexistent']);
    $answers = [post($port, score_form('rep', 9, 1, 1, 'r=' . base64_encode('SKITTERWORM REPLAY 1')))[0],
        post($port, score_form('norep', 9))[0]];
    check($answers === [422, 200] && $sql('SELECT COUNT(*) FROM scores', $settings) === [3],
        "$label: a replay that cannot be verified is refused (got " . json_encode($answers) . ')');
    check(count_scores($port) === 0 && rows($port) === [['']], "$label: unverified scores can be left unlisted");
    stop($server);
}

$dir = sys_get_temp_dir() . '/skitterworm-scoreboard-' . getmypid();
@mkdir($dir);
// $sql(query, settings) runs a query on the scoreboard of the settings (by
// default the last fresh one) and gives the first column.
$last = [];
$database = function (array $settings): PDO {
    return isset($settings['SCOREBOARD_DSN']) ? new PDO($settings['SCOREBOARD_DSN'])
        : new PDO('sqlite:' . $settings['SCOREBOARD_SQLITE']);
};
$sql = function (string $query, ?array $settings = null) use (&$last, $database): array {
    $db = $database($settings ?? $last);
    return str_starts_with($query, 'SELECT') ? $db->query($query)->fetchAll(PDO::FETCH_COLUMN) : [$db->exec($query)];
};
suite('sqlite', function () use ($dir, &$last) {
    return $last = fresh_settings($dir, null);
}, $sql);

// The bundled runner refuses an oversized form before anything holds it.
$port = free_port();
$runner = spawn([dirname(__DIR__, 2) . '/scripts/scoreboard', '--port', (string) $port, '--db', "$dir/runner.sqlite"]);
wait_for_port($port);
$s = stream_socket_client("tcp://127.0.0.1:$port");
fwrite($s, "POST /sysops/worm-highscore.php HTTP/1.0\r\nContent-Length: 314572800\r\n\r\n");
$chunk = str_repeat('x', 1 << 20);
for ($sent = 0; $sent < 300 && @fwrite($s, $chunk); $sent++) {
}
[$status] = receive($s);
$largest = 0;
foreach (explode("\n", trim((string) shell_exec('pgrep -s ' . proc_get_status($runner)['pid']))) as $pid) {
    preg_match('/VmHWM:\s+(\d+)/', (string) @file_get_contents("/proc/$pid/status"), $m);
    $largest = max($largest, (int) ($m[1] ?? 0));
}
check($status === 413 && $largest > 0 && $largest < 64 * 1024, "the runner refuses 300 MB (413, got $status) and no "
    . "process of it grew past 64 MB (largest: " . intdiv($largest, 1024) . ' MB)');
stop($runner);

$dsn = getenv('SCOREBOARD_TEST_PGSQL_DSN') ?: null;
$stop = null;
if (!$dsn && ($cluster = throwaway_postgres())) {
    [$dsn, $stop] = $cluster;
}
if ($dsn) {
    suite('pgsql', function () use ($dir, $dsn, &$last) {
        return $last = fresh_settings($dir, $dsn);
    }, $sql);

    // Scores move from SQLite to PostgreSQL and back unchanged.
    $sqlite = fresh_settings($dir, null);
    [$server, $port] = start($sqlite);
    post($port, score_form("A & B \xFC\\t", 900, 2, 4, 'r=' . base64_encode("SKITTERWORM REPLAY 1\nseed 9\n\n\x00\xff")));
    post($port, score_form('zed', 1200, 3, 1));
    stop($server);
    $transfer = function (string $how, string $file, array $settings): bool {
        $p = spawn(['php', dirname(__DIR__, 2) . '/server/transfer.php', $how, $file], $settings);
        return proc_close($p) === 0;
    };
    $moved = [$sqlite, fresh_settings($dir, $dsn), fresh_settings($dir, null)];
    $files = [];
    foreach ($moved as $i => $settings) {
        $files[$i] = "$dir/export$i.txt";
        $ok = ($i === 0 || $transfer('--import', $files[$i - 1], $settings)) && $transfer('--export', $files[$i], $settings);
        check($ok && count(file($files[$i])) === 3, "transfer $i: import and export");
    }
    check(file_get_contents($files[0]) === file_get_contents($files[1])
        && file_get_contents($files[1]) === file_get_contents($files[2]), 'scores move between SQLite and PostgreSQL');
    echo "PostgreSQL: checked\n";
} else {
    echo "PostgreSQL: skipped (not installed, or no PDO driver for it)\n";
}
if ($stop) {
    $stop();
}
exec('rm -rf ' . escapeshellarg($dir));
finish('scoreboard');
