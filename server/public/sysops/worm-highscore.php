<?php
// The Skitterworm scoreboard: stores the scores that games post and answers
// the leaderboard the game shows. The game posts a form (HTTP/1.0, one field
// set per request) and reads plain text back:
//   a=1      v, f (first row, from 0), l (rows)  -> six lines a row, best first:
//                                                   id, date, name, score, stage, wave
//            and r=1                             -> each row then followed by "replay ID" (0: no
//                                                   replay to watch) and "rules N" (its rules version)
//   a=2      u (name), s (encoded score), st (stage), w (wave), v, and
//            optionally r (the game's replay, base64) -> "success"
//   action=5 v                                   -> the number of listed scores
//   a=6      v, i (a listed score's id)          -> its replay's bytes (404 when it has none)
// Anything else gets a 4xx status and one line "error: REASON", the reason
// being a short sentence the game can show the player. A plain GET shows the
// leaderboard as a web page; GET ?replay=ID gives a listed score's replay.
// With a verifier, a posted game is stored as pending at once and listed
// when a verifier worker (../../worker.php) has played its replay to its
// score. The parts live in ../../lib.
//
// Settings come from the environment (or env[] in the PHP-FPM pool):
//   SCOREBOARD_SQLITE        the SQLite file (default: data/scoreboard.sqlite beside public/)
//   SCOREBOARD_DSN           a PDO DSN such as "pgsql:host=...;dbname=..." instead of SQLite,
//   SCOREBOARD_DB_USER, SCOREBOARD_DB_PASSWORD   with its login
//   SCOREBOARD_SECRET_FILE   the secret salting address keys (default: beside the SQLite
//                            file, or data/scoreboard.secret); made on first use
//   SCOREBOARD_RATE_LIMIT    scoring attempts one network may make per window (default 10)
//   SCOREBOARD_RATE_WINDOW   the window in seconds (default 60)
//   SCOREBOARD_VERIFIER      the game's verifier (skitterworm-verify): replays are proven with it
//   SCOREBOARD_VERIFIER_SECONDS, SCOREBOARD_VERIFIER_MEMORY   its limits (10 s, 1024 MB)
//   SCOREBOARD_LIST_UNVERIFIED   on or off: whether unverified scores are listed (default:
//                                off with a verifier, on without)
//   SCOREBOARD_CACHE_SECONDS, SCOREBOARD_CACHE_DIR   how long the top of the list is kept
//                                (1 s; 0 keeps none), and where (the temporary folder)
// The verifier worker's own settings are in ../../worker.php.
declare(strict_types=1);

require __DIR__ . '/../../lib/storage.php';
require __DIR__ . '/../../lib/submission.php';
require __DIR__ . '/../../lib/scores.php';
require __DIR__ . '/../../lib/verifier.php';
require __DIR__ . '/../../lib/queue.php';
require __DIR__ . '/../../lib/cache.php';
require __DIR__ . '/../../lib/web_page.php';

const GAME_VERSIONS = ['1.2.0'];
const MAX_ROWS = 100;        // the largest page one request gets
const MAX_FIRST = 1000000;
const MAX_BODY = 131072;     // the form with a replay of the largest size, base64 and escaped

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

function get_scores(array $form): never
{
    $first = number($form, 'f', 0, MAX_FIRST);
    $count = number($form, 'l', 1, MAX_ROWS);
    if ($first === null || $count === null) {
        refuse(400, 'f must be 0 to ' . MAX_FIRST . ' and l 1 to ' . MAX_ROWS);
    }
    // Only a game that asks gets each row's replay: an older one reads six lines a row.
    $replays = ($form['r'] ?? '') === '1';
    // The game asks for the top rows: those answers are kept (a few at most).
    $rows = function () use ($first, $count, $replays) {
        $text = '';
        foreach (top_rows($first, $count) as $row) {
            $text .= $row['id'] . "\n" . $row['created'] . "\n" . to_latin1($row['name']) . "\n" . $row['score']
                . "\n" . $row['stage'] . "\n" . $row['wave'] . "\n";
            if ($replays) {
                $text .= 'replay ' . ($row['has_replay'] ? $row['id'] : 0) . "\nrules {$row['rules']}\n";
            }
        }
        return $text;
    };
    answer(200, $first === 0 ? cached("top$count" . ($replays ? 'r' : ''), $rows) : $rows());
}

// A scoring attempt: counted against its network's limit before anything
// else is looked at; then the fields, then the replay's identity (read by
// the verifier, which is quick: the game is not played). A game with a
// replay is stored as pending, for a verifier worker to prove.
function set_score(array $form, string $address): never
{
    $who = address_key($address);
    if (!count_attempt($who)) {
        $window = (int) setting('SCOREBOARD_RATE_WINDOW', '60');
        refuse(429, "too many scores from your network; try again in $window seconds");
    }
    if (!is_string($form['v'] ?? null) || !in_array($form['v'], GAME_VERSIONS, true)) {
        refuse(400, 'this scoreboard does not take scores of this version of the game');
    }
    $submission = read_submission($form);
    if (is_array($submission)) {
        refuse(...$submission);
    }
    $verifier = setting('SCOREBOARD_VERIFIER', '');
    $state = UNVERIFIED;
    $digest = null;
    if ($verifier !== '' && $submission->replay !== null) {
        $state = PENDING;
        $identity = replay_identity($verifier, $submission->replay);
        $refused = $identity['refused'] ?? null;
        if ($refused !== null) {
            refuse(422, $refused);
        }
        if (isset($identity['failed'])) {
            // Stored all the same: a worker reads its identity once the verifier runs again.
            error_log("scoreboard: cannot read a replay's identity: {$identity['failed']}");
        } elseif ($identity['name'] !== $submission->name) {
            refuse(422, 'the replay is signed by another name');
        } else {
            $digest = $identity['digest'];
        }
    }
    $stored = store($submission, $who, $state, $digest);
    if ($stored !== true) {
        refuse(...$stored);
    }
    if ($state === UNVERIFIED && listed_only() !== 'verified = 1') {
        renew_cache();
    }
    answer(200, "success\n");
}

// The player's address. Behind the bundled runner's own front (server/front.php)
// every request comes from loopback; the front names the real address in a
// header that counts only with the token the runner gave both.
function client_address(): string
{
    $token = setting('SCOREBOARD_FRONT_TOKEN', '');
    $named = $_SERVER['HTTP_X_SCOREBOARD_ADDRESS'] ?? null;
    if ($token !== '' && is_string($named) && hash_equals($token, (string) ($_SERVER['HTTP_X_SCOREBOARD_FRONT'] ?? ''))) {
        return $named;
    }
    return (string) ($_SERVER['REMOTE_ADDR'] ?? '');
}

try {
    $method = $_SERVER['REQUEST_METHOD'] ?? 'GET';
    foreach ([$_GET, $_POST] as $fields) {
        if (array_filter($fields, 'is_array')) {
            refuse(400, 'a field is given as a list');
        }
    }
    if ($method === 'GET' || $method === 'HEAD') {
        if (isset($_GET['replay'])) {
            replay_download($_GET['replay']);
        }
        web_page();
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
    if ($action === '2') {
        set_score($form, client_address());
    }
    if (!is_string($action) || !in_array($action, ['1', '5', '6'], true)) {
        refuse(400, 'unknown action');
    }
    if (!is_string($form['v'] ?? null) || !in_array($form['v'], GAME_VERSIONS, true)) {
        refuse(400, 'unknown game version');
    }
    match ($action) {
        '1' => get_scores($form),
        '5' => answer(200, cached('count', fn () => score_count() . "\n")),
        '6' => replay_download($form['i'] ?? null),
    };
} catch (Throwable $e) {
    error_log('scoreboard: ' . $e->getMessage());
    answer(503, "error: the scoreboard cannot reach its storage\n");
}
