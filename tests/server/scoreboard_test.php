<?php
// The bundled scoreboard script under PHP's built-in web server: what it
// refuses, what it stores, under parallel posts and its rate limit, and
// with the build's verifier (SKITTERWORM_VERIFY) and its worker, how games
// are proven and stored once; on a fresh SQLite file, and on a throwaway
// PostgreSQL database when SCOREBOARD_TEST_PGSQL_DSN names one and PDO can
// reach it. Then the bundled runner's front, and moving scores between the
// two databases.
declare(strict_types=1);
require __DIR__ . '/support.php';

const TOKEN = 'test-front-token';
const WORKER = __DIR__ . '/../../server/worker.php';

// Starts the script with the given settings; returns [process, port].
function start(array $env): array
{
    $port = free_port();
    $root = dirname(__DIR__, 2) . '/server/public';
    $env += ['PHP_CLI_SERVER_WORKERS' => '4', 'SCOREBOARD_FRONT_TOKEN' => TOKEN];
    $process = spawn(['php', '-S', "127.0.0.1:$port", '-t', $root], $env, $env['LOG'] ?? '/dev/null');
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
    $log = "{$GLOBALS['dir']}/$label.log";
    [$server, $port] = start($fresh() + ['SCOREBOARD_RATE_LIMIT' => '1000', 'LOG' => $log]);
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
        'a=2&u=%AD&s=9210&st=2&w=3&v=1.2.0' => 400,           // only a soft hyphen shows nothing
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
        'a=1&v=1.2.0&f=0&l=15%0A' => 400,                     // digits only
        "a=2&$valid&pad=" . str_repeat('x', 140000) => 413,
    ];
    foreach ($refused as $body => $status) {
        [$got, $text] = post($port, (string) $body);
        check($got === $status && str_starts_with($text, 'error: ') && substr_count($text, "\n") === 1,
            "$label: \"" . substr((string) $body, 0, 60) . "\" gives $status and an error line (got $got: "
            . trim($text) . ')');
    }
    check(post($port, '', 'PUT')[0] === 405, "$label: PUT is refused");
    foreach (['?replay[]=1', '?replay=1%0A'] as $query) {
        check(post($port, '', 'GET', '', $query)[0] >= 400, "$label: GET $query is refused");
    }
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

    // A retry of a game the scoreboard stored while the game had given up on it is stored once.
    foreach ([score_form('Dup', 33), score_form('Dup', 33)] as $body) {
        post($port, $body);
    }
    check(count_scores($port) === count($tricky) + 1, "$label: a game posted twice is stored once");

    // The web page prints a stage past Z, and a name, as text; its links
    // stay on the page whatever path the request named.
    post($port, score_form('<b>x</b>', 60000, 70, 6, 'r=' . base64_encode('SKITTERWORM REPLAY 1')));
    [$status, $page] = post($port, '', 'GET');
    check($status === 200 && preg_match('//u', $page) && !preg_match('/[\x00-\x08\x0b-\x1f\x7f]|<b>/', $page)
        && str_contains($page, '&lt;b&gt;x&lt;/b&gt;</td><td>60000</td><td>#70:6')
        && preg_match_all('/href="([^"]*)"/', $page, $links) === 1 && str_starts_with($links[1][0], '?replay='),
        "$label: the web page is escaped and links to itself");
    // A game that asks gets each row's replay and rules, and downloads the replay by its id; the page shows its length.
    $game = (string) file_get_contents(__DIR__ . '/../corpus/pilot-22-short.replay');
    $rules = preg_match('/^rules \d+$/m', $game, $line) ? $line[0] : '';
    post($port, game_form('Gus', $game));
    $list = array_chunk(explode("\n", rtrim(post($port, 'a=1&v=1.2.0&f=0&l=100&r=1&')[1], "\n")), 8);
    $gus = array_values(array_filter($list, fn ($row) => $row[2] === 'Gus'))[0] ?? [0];
    $id = (int) $gus[0];
    check(count($list) === count(rows($port)) && array_slice($gus, 3) === ['112', '1', '2', "replay $id", $rules]
        && $list[0][7] === 'rules 1' && end($list)[6] === 'replay 0', "$label: r=1 adds each row's replay id and rules, "
        . 'the six lines a row stay without it: ' . json_encode($gus));
    check(post($port, "a=6&v=1.2.0&i=$id&") === [200, $game] && post($port, 'a=6&v=1.2.0&i=1&')[0] === 404,
        "$label: a=6 gives a listed game's replay, 404 for a score without one");
    check(str_contains(post($port, '', 'GET')[1], '<td>0:45</td><td><a href="?replay=' . $id), "$label: the page shows the game's length");
    check(!str_contains((string) file_get_contents($log), 'Warning'), "$label: no request made a warning");

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

    // One network may try to score only so many times a minute, stored or
    // not: an IPv4 address, or an IPv6 /64; the table keeps salted keys,
    // not addresses. Over the limit, nothing else of a post is looked at.
    $settings = $fresh();
    [$server, $port] = start($settings + ['SCOREBOARD_RATE_LIMIT' => '3']);
    $posts = [
        ['2001:db8::1', 200], ['2001:db8::2', 400], ['2001:db8::3', 200], ['2001:db8::4:5', 429],
        ['2001:db8:0:1::1', 200], ['10.0.0.1', 200], ['10.0.0.1', 200], ['10.0.0.1', 200], ['::ffff:10.0.0.1', 429],
        ['10.0.0.2', 200], ['10.0.0.2', 200], ['10.0.0.2', 200], ['10.0.0.2', 429],
    ];
    foreach ($posts as $i => [$address, $status]) {
        $body = $status === 400 ? score_form("r$i", 10, 0) : score_form($i > 9 ? 'again' : "r$i", 10);
        check(post_from($port, $address, $body) === $status, "$label: post $i from $address gives $status");
    }
    check(count_scores($port) === 8, "$label: refused posts are not stored, a retry is stored once");
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
    [$server, $port] = start($settings + ['SCOREBOARD_LIST_UNVERIFIED' => 'off']);
    check(count_scores($port) === 0 && rows($port) === [['']], "$label: unverified scores can be left unlisted");
    stop($server);
}

// With the build's verifier, through a wrapper that logs each run: games are
// proven by a worker, stored once whoever posts them.
function verified_suite(string $label, callable $fresh, callable $sql, string $verify, string $dir): void
{
    $wrapper = "$dir/verify-$label";
    file_put_contents($wrapper, "#!/bin/sh\necho \"\$1\" >>$wrapper.log\nexec $verify \"\$@\"\n");
    chmod($wrapper, 0755);
    $settings = $fresh() + ['SCOREBOARD_VERIFIER' => $wrapper, 'SCOREBOARD_RATE_LIMIT' => '1000',
        'SCOREBOARD_RETRY_SECONDS' => '1'];
    [$server, $port] = start($settings);
    $worker = spawn(['php', WORKER], $settings, "$dir/worker-$label.log");
    [$ann] = genuine_replay($verify, 11, 'Ann');
    $thief = str_replace("name Ann\n", "name Thief\n", $ann);
    $other = fn (int $seed, string $name, string $from, string $to) => preg_replace($from, $to,
        genuine_replay($verify, $seed, $name)[0]);
    $more = fn (int $seed, string $name) => preg_replace_callback('/^score (\d+)$/m', fn ($m) => 'score '
        . ($m[1] + 10), genuine_replay($verify, $seed, $name)[0]);
    $posts = [
        // name, replay, status, answer's reason
        ['Ann', $ann, 200, ''],
        ['Ann', $ann, 200, ''],                                            // a retry
        ['Thief', $ann, 422, 'the replay is signed by another name'],
        ['Thief', $thief, 409, 'this game is already on the scoreboard'],  // the name changed
        ['Thief', str_replace('seed 11', 'seed 011', $thief), 409, 'this game is already'],
        ['Thief', str_replace('version', "seed 1\nversion", $thief), 409, 'this game is already'],
        ['Thief', str_replace('seed 11', str_repeat("pad x\n", 25) . 'seed 11', $thief), 409, 'this game is already'],
        ['Bea', $more(12, 'Bea'), 200, ''],                                 // claims more
        ['Cid', $other(13, 'Cid', '/end quit/', 'end gameover'), 200, ''],  // claims another ending
        ['Dan', $other(14, 'Dan', '/^rules \d+$/m', 'rules 99'), 422, 'the replay cannot be read: a game of rules version 99'],
        ['Eve', "SKITTERWORM REPLAY 1\nscore 9\nstage 1\nwave 1", 422, 'the replay cannot be read'],
    ];
    foreach ($posts as [$name, $replay, $status, $reason]) {
        [$got, $text] = post($port, game_form($name, $replay));
        check($got === $status && str_starts_with($text, $status === 200 ? 'success' : "error: $reason"),
            "$label: $name's post gives $status \"$reason\" (got $got: " . trim($text) . ')');
    }
    post($port, score_form('Fay', 9));
    $states = fn () => implode(' ', $sql('SELECT name || verified FROM scores ORDER BY id'));
    check(wait_until(fn () => $states() === 'Ann1 Bea3 Cid3 Fay0'), "$label: one game verified, two refused, one "
        . 'without a replay unverified: ' . $states());
    check(array_column(rows($port), 2) === ['Ann'], "$label: only the verified score is listed");
    $runs = array_count_values(file("$wrapper.log", FILE_IGNORE_NEW_LINES));
    check(($runs['--verify'] ?? 0) === 3, "$label: each stored game was played once, re-posts not at all");
    [$status, $text] = post($port, game_form('Bea', $posts[7][1]));
    check($status === 422 && str_starts_with($text, 'error: the replay does not play to the result in its header'),
        "$label: a refused game posted again gives its reason (got $status: " . trim($text) . ')');
    stop($server);
    stop($worker);

    // A verifier that cannot run (one that cannot read a replay's identity
    // on the web side, one without the game's data in the worker) refuses
    // nothing: the game waits, the status says why; a working verifier then
    // proves the game and drops its second copy.
    @mkdir("$dir/nodata-$label");
    copy($verify, "$dir/nodata-$label/skitterworm-verify");
    chmod("$dir/nodata-$label/skitterworm-verify", 0755);
    [$server, $port] = start(['SCOREBOARD_VERIFIER' => '/nonexistent'] + $settings);
    $worker = spawn(['php', WORKER], ['SCOREBOARD_VERIFIER' => "$dir/nodata-$label/skitterworm-verify"] + $settings,
        "$dir/worker-$label.log");
    [$gil] = genuine_replay($verify, 15, 'Gil');
    foreach (['192.0.2.1', '192.0.2.2'] as $address) {
        check(post_from($port, $address, game_form('Gil', $gil)) === 200,
            "$label: a game is taken while its identity cannot be read");
    }
    $status = fn () => run(['php', WORKER, '--status'], $settings)[1];
    // The copy is dropped once the worker reads its identity, which may come
    // after the first game's failed verification: wait for both.
    $why = '1 game waits for verification; verification does not work: ';
    check(str_contains(wait_until(fn () => str_contains($status(), $why) ? $status() : ''), $why),
        "$label: the status says why: " . $status());
    check(str_contains(post($port, '', 'GET')[1], '1 game waits for verification. Verification does not work'),
        "$label: the web page says it");
    stop($worker);
    $worker = spawn(['php', WORKER], $settings, "$dir/worker-$label.log");
    check(wait_until(fn () => $sql("SELECT name || verified FROM scores WHERE name = 'Gil'") === ['Gil1']),
        "$label: the waiting game is proven once the verifier runs, and stored once");
    stop($worker);
    stop($server);
}

// Scores move from SQLite to PostgreSQL and back unchanged; importing
// twice adds nothing, and a damaged file adds nothing at all.
function transfers(string $dir, string $dsn, string $verify, callable $sql): void
{
    $settings = fresh_settings($dir, null) + ['SCOREBOARD_VERIFIER' => $verify];
    [$server, $port] = start($settings);
    [$replay] = genuine_replay($verify, 21, "A & B \xFC\\t");
    post($port, score_form("A & B \xFC\\t", 9, 1, 1, 'r=' . urlencode(base64_encode($replay))));
    post($port, score_form('zed', 1200, 3, 1));
    stop($server);
    $transfer = fn (string $how, string $file, array $settings) => run(['php',
        dirname(__DIR__, 2) . '/server/transfer.php', $how, $file], $settings + ['SCOREBOARD_VERIFIER' => $verify])[0];
    $moved = [$settings, fresh_settings($dir, $dsn), fresh_settings($dir, null)];
    foreach ($moved as $i => $board) {
        $files[$i] = "$dir/export$i.txt";
        $ok = ($i === 0 || $transfer('--import', $files[$i - 1], $board) + $transfer('--import', $files[$i - 1], $board)
            === 0) && $transfer('--export', $files[$i], $board) === 0;
        check($ok && count(file($files[$i])) === 4, "transfer $i: import twice and export");
    }
    check(count(array_unique(array_map('file_get_contents', $files))) === 1,
        'scores move between SQLite and PostgreSQL');
    $good = file($files[0]);
    $zed = $good[2];
    $damaged = [
        'cut in a line' => substr(implode('', $good), 0, -20),
        'cut after a line' => implode('', array_slice($good, 0, 3)),
        'another count' => implode('', array_slice($good, 0, 3)) . "END 1\n" . $zed,
        'a name with a line break' => str_replace('zed', 'z\\ned', implode('', $good)),
        'a name with ESC' => str_replace('zed', "z\x1bd", implode('', $good)),
        'stage 0' => str_replace("\t3\t1\t0\tzed", "\t0\t1\t0\tzed", implode('', $good)),
        'wave 99' => str_replace("\t3\t1\t0\tzed", "\t3\t99\t0\tzed", implode('', $good)),
        'verified without a replay' => str_replace("\t3\t1\t0\tzed", "\t3\t1\t1\tzed", implode('', $good)),
        'a cut replay' => preg_replace('/\t[A-Za-z0-9+\/=]{80,}\n/', "\tU0tJVFRFUldPUk0gUkVQTEFZIDEK\n",
            implode('', $good)),
    ];
    foreach ($damaged as $what => $text) {
        $board = fresh_settings($dir, null);
        file_put_contents("$dir/damaged.txt", $text);
        check($transfer('--import', "$dir/damaged.txt", $board) === 1 && $sql('SELECT COUNT(*) FROM scores', $board)
            === [0], "an import of a file with $what fails and adds nothing");
    }
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

$verify = getenv('SKITTERWORM_VERIFY') ?: null;
$verify ? verified_suite('sqlite', function () use ($dir, &$last) {
    return $last = fresh_settings($dir, null);
}, $sql, $verify, $dir)
    : print("Verification: skipped (SKITTERWORM_VERIFY names no verifier)\n");

$dsn = getenv('SCOREBOARD_TEST_PGSQL_DSN') ?: null;
$cluster = $dsn ? null : throwaway_postgres();
$dsn ??= $cluster[0] ?? null;
if ($dsn) {
    suite('pgsql', function () use ($dir, $dsn, &$last) {
        return $last = fresh_settings($dir, $dsn);
    }, $sql);
    if ($verify) {
        verified_suite('pgsql', function () use ($dir, $dsn, &$last) {
            return $last = fresh_settings($dir, $dsn);
        }, $sql, $verify, $dir);
        transfers($dir, $dsn, $verify, $sql);
    }
    if ($cluster) {
        // A restarted database costs no request: each PHP worker connects again once.
        [$server, $port] = start(fresh_settings($dir, $dsn));
        count_scores($port);
        $cluster[2]();
        $answers = array_map(fn () => post($port, 'a=1&v=1.2.0&f=0&l=15&')[0], range(1, 12));
        check($answers === array_fill(0, 12, 200),
            'pgsql: every fetch after a restart answers: ' . json_encode($answers));
        stop($server);
        $cluster[1]();
    }
    echo "PostgreSQL: checked\n";
} else {
    echo "PostgreSQL: skipped (not installed, or no PDO driver for it)\n";
}
if ($failures === 0) {
    exec('rm -rf ' . escapeshellarg($dir));
}
finish('scoreboard');
