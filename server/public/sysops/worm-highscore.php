<?php
// The Skitterworm scoreboard: stores the scores that games post and answers
// the leaderboard the game shows. The game posts a form (HTTP/1.0, one field
// set per request) and reads plain text back:
//   a=1      v, f (first row, from 0), l (rows)  -> six lines a row, best first:
//                                                   id, date, name, score, stage, wave
//   a=2      u (name), s (encoded score), st (stage), w (wave), v -> "success"
//   action=5 v                                   -> the number of stored scores
// Anything else gets one line "error: ..." and a 4xx status. A plain GET
// shows the leaderboard as a web page.
//
// Settings come from the environment:
//   SCOREBOARD_SQLITE        the SQLite file (default: data/scoreboard.sqlite beside public/)
//   SCOREBOARD_DSN           a PDO DSN such as "pgsql:host=...;dbname=..." instead of SQLite,
//   SCOREBOARD_DB_USER, SCOREBOARD_DB_PASSWORD   with its login
//   SCOREBOARD_RATE_LIMIT    scores one address may post per window (default 10)
//   SCOREBOARD_RATE_WINDOW   the window in seconds (default 60)

declare(strict_types=1);

const GAME_VERSIONS = ['1.2.0'];
const MAX_NAME_BYTES = 32;   // the name entry holds fewer characters than this
const MAX_STAGE = 255;       // stage and wave are bytes in the game
const MAX_WAVE = 255;
const MAX_ROWS = 100;        // the largest page one request gets
const MAX_FIRST = 1000000;
const MAX_BODY = 4096;
const PAGE_ROWS = 100;

// From the environment, or from the web server's configuration (SetEnv, fastcgi_param).
function setting(string $name, string $default): string
{
    $value = $_SERVER[$name] ?? getenv($name);
    return !is_string($value) || $value === '' ? $default : $value;
}

function answer(int $status, string $text, string $type = 'text/plain; charset=ISO-8859-1'): never
{
    http_response_code($status);
    header_remove('X-Powered-By');
    header('Content-Type: ' . $type);
    header('Content-Length: ' . strlen($text));
    header('Cache-Control: no-store');
    echo $text;
    exit;
}

function refuse(int $status, string $reason): never
{
    answer($status, "error: $reason\n");
}

function database(): PDO
{
    $dsn = setting('SCOREBOARD_DSN', '');
    $options = [PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION, PDO::ATTR_EMULATE_PREPARES => false];
    if ($dsn === '') {
        $file = setting('SCOREBOARD_SQLITE', dirname(__DIR__, 2) . '/data/scoreboard.sqlite');
        if (!is_dir(dirname($file))) {
            @mkdir(dirname($file), 0700, true);
        }
        $db = new PDO('sqlite:' . $file, null, null, $options + [PDO::ATTR_TIMEOUT => 10]);
        // Readers never wait for a writer; writers wait their turn instead of failing.
        $db->exec('PRAGMA busy_timeout = 10000');
        $db->exec('PRAGMA journal_mode = WAL');
        $db->exec('PRAGMA synchronous = NORMAL');
        $db->exec('CREATE TABLE IF NOT EXISTS scores (
            id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, score INTEGER NOT NULL,
            stage INTEGER NOT NULL, wave INTEGER NOT NULL, created TEXT NOT NULL,
            address TEXT NOT NULL, posted INTEGER NOT NULL)');
    } else {
        $db = new PDO($dsn, setting('SCOREBOARD_DB_USER', '') ?: null, setting('SCOREBOARD_DB_PASSWORD', '') ?: null,
            $options);
        $db->exec('CREATE TABLE IF NOT EXISTS scores (
            id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY, name TEXT NOT NULL, score INTEGER NOT NULL,
            stage INTEGER NOT NULL, wave INTEGER NOT NULL, created TEXT NOT NULL,
            address TEXT NOT NULL, posted BIGINT NOT NULL)');
    }
    $db->exec('CREATE INDEX IF NOT EXISTS scores_rank ON scores (score DESC, id ASC)');
    $db->exec('CREATE INDEX IF NOT EXISTS scores_address ON scores (address, posted)');
    return $db;
}

// A whole number given as plain decimal digits within [min, max], or null.
function number(array $form, string $field, int $min, int $max): ?int
{
    $text = $form[$field] ?? null;
    if (!is_string($text) || !preg_match('/^[0-9]{1,10}$/', $text)) {
        return null;
    }
    $value = (int) $text;
    return $value >= $min && $value <= $max ? $value : null;
}

// The game writes one byte per character (Latin-1); the database keeps UTF-8.
function to_utf8(string $latin1): string
{
    return iconv('ISO-8859-1', 'UTF-8', $latin1);
}

function to_latin1(string $utf8): string
{
    $text = iconv('UTF-8', 'ISO-8859-1//TRANSLIT', $utf8);
    return $text === false ? '?' : $text;
}

function top_rows(PDO $db, int $first, int $count): array
{
    $query = $db->prepare('SELECT id, created, name, score, stage, wave FROM scores
        ORDER BY score DESC, id ASC LIMIT :count OFFSET :first');
    $query->bindValue(':count', $count, PDO::PARAM_INT);
    $query->bindValue(':first', $first, PDO::PARAM_INT);
    $query->execute();
    return $query->fetchAll(PDO::FETCH_ASSOC);
}

function get_scores(PDO $db, array $form): never
{
    $first = number($form, 'f', 0, MAX_FIRST);
    $count = number($form, 'l', 1, MAX_ROWS);
    if ($first === null || $count === null) {
        refuse(400, 'f must be 0 to ' . MAX_FIRST . ' and l 1 to ' . MAX_ROWS);
    }
    $text = '';
    foreach (top_rows($db, $first, $count) as $row) {
        $text .= $row['id'] . "\n" . $row['created'] . "\n" . to_latin1($row['name']) . "\n" . $row['score'] . "\n"
            . $row['stage'] . "\n" . $row['wave'] . "\n";
    }
    answer(200, $text);
}

function set_score(PDO $db, array $form, string $address): never
{
    $name = $form['u'] ?? null;
    $encoded = number($form, 's', 0, PHP_INT_MAX);
    $stage = number($form, 'st', 1, MAX_STAGE);
    $wave = number($form, 'w', 1, MAX_WAVE);
    if (!is_string($name)) {
        refuse(400, 'no name (u)');
    }
    if (strlen($name) > MAX_NAME_BYTES) {
        refuse(400, 'name longer than ' . MAX_NAME_BYTES . ' characters');
    }
    if (preg_match('/[\x00-\x1f\x7f]/', $name)) {
        refuse(400, 'control characters in the name');
    }
    if ($stage === null || $wave === null) {
        refuse(400, 'stage (st) and wave (w) must be 1 to 255');
    }
    // The game sends score x 9 + (stage + wave) x 42 as a 32-bit number.
    $rest = $encoded === null ? -1 : $encoded - ($stage + $wave) * 42;
    if ($encoded === null || $encoded > 2147483647 || $rest < 0 || $rest % 9 !== 0) {
        refuse(400, 'the score (s) is not a valid encoding');
    }
    $score = intdiv($rest, 9);

    $limit = (int) setting('SCOREBOARD_RATE_LIMIT', '10');
    $window = (int) setting('SCOREBOARD_RATE_WINDOW', '60');
    $now = time();
    $who = hash('sha256', $address);
    $sqlite = $db->getAttribute(PDO::ATTR_DRIVER_NAME) === 'sqlite';
    // Counting and storing in one write transaction, so parallel posts from
    // one address cannot slip past the limit together.
    if ($sqlite) {
        $db->exec('BEGIN IMMEDIATE');
    } else {
        $db->beginTransaction();
        $db->prepare('SELECT pg_advisory_xact_lock(hashtext(:who))')->execute([':who' => $who]);
    }
    $end = fn (string $how) => $sqlite ? $db->exec($how) : ($how === 'COMMIT' ? $db->commit() : $db->rollBack());
    try {
        $recent = $db->prepare('SELECT COUNT(*) FROM scores WHERE address = :who AND posted > :since');
        $recent->execute([':who' => $who, ':since' => $now - $window]);
        if ((int) $recent->fetchColumn() >= $limit) {
            $end('ROLLBACK');
            refuse(429, "too many scores from your address; try again in $window seconds");
        }
        $db->prepare('INSERT INTO scores (name, score, stage, wave, created, address, posted)
            VALUES (:name, :score, :stage, :wave, :created, :who, :posted)')->execute([
            ':name' => to_utf8($name), ':score' => $score, ':stage' => $stage, ':wave' => $wave,
            ':created' => gmdate('Y-m-d H:i'), ':who' => $who, ':posted' => $now,
        ]);
        $end('COMMIT');
    } catch (Throwable $e) {
        try {
            $end('ROLLBACK');
        } catch (Throwable) {
        }
        throw $e;
    }
    answer(200, "success\n");
}

function count_scores(PDO $db): never
{
    answer(200, (int) $db->query('SELECT COUNT(*) FROM scores')->fetchColumn() . "\n");
}

function web_page(PDO $db): never
{
    $rows = '';
    foreach (top_rows($db, 0, PAGE_ROWS) as $i => $row) {
        $rows .= sprintf("<tr><td>%d</td><td>%s</td><td>%d</td><td>%s:%d</td><td>%s</td></tr>\n", $i + 1,
            htmlspecialchars($row['name'] === '' ? '-' : $row['name'], ENT_QUOTES, 'UTF-8'), $row['score'],
            chr(64 + (int) $row['stage']), $row['wave'], htmlspecialchars($row['created'], ENT_QUOTES, 'UTF-8'));
    }
    answer(200, "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Skitterworm world leaderboard</title>"
        . "</head><body><h1>Skitterworm world leaderboard</h1>\n<table>\n"
        . "<tr><th></th><th>Name</th><th>Score</th><th>Reached</th><th>Date (UTC)</th></tr>\n$rows</table>"
        . "</body></html>\n", 'text/html; charset=utf-8');
}

try {
    $method = $_SERVER['REQUEST_METHOD'] ?? 'GET';
    if ($method === 'GET' || $method === 'HEAD') {
        web_page(database());
    }
    if ($method !== 'POST') {
        header('Allow: GET, HEAD, POST');
        refuse(405, 'only POST and GET are answered');
    }
    if ((int) ($_SERVER['CONTENT_LENGTH'] ?? 0) > MAX_BODY) {
        refuse(413, 'the form is longer than ' . MAX_BODY . ' bytes');
    }
    $form = $_POST;
    $action = $form['a'] ?? $form['action'] ?? null;
    $version = $form['v'] ?? null;
    if (!is_string($action) || !in_array($action, ['1', '2', '5'], true)) {
        refuse(400, 'unknown action');
    }
    if (!is_string($version) || !in_array($version, GAME_VERSIONS, true)) {
        refuse(400, 'unknown game version');
    }
    $db = database();
    match ($action) {
        '1' => get_scores($db, $form),
        '2' => set_score($db, $form, (string) ($_SERVER['REMOTE_ADDR'] ?? '')),
        '5' => count_scores($db),
    };
} catch (Throwable $e) {
    error_log('scoreboard: ' . $e->getMessage());
    answer(503, "error: the scoreboard cannot reach its storage\n");
}
