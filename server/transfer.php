<?php
// Moves scores between scoreboards (SQLite and PostgreSQL alike):
//   php transfer.php --export FILE   writes every stored game ("-": standard output)
//   php transfer.php --import FILE   adds the games of such a file
// The database is the one the server script would use (SCOREBOARD_DSN, or
// SCOREBOARD_SQLITE); importing games with replays needs the verifier
// (SCOREBOARD_VERIFIER), which reads each replay's identity. The file is
// plain UTF-8 text: the line "SKITTERWORM SCORES 2", then one line per
// game, oldest first, of eight fields separated by tabs:
//   created (UTC, "YYYY-MM-DD HH:MM"), score, stage, wave,
//   state (0 unverified, 1 verified, 2 waiting for verification, 3 refused),
//   name, why it was refused (empty unless refused), replay (base64, or empty)
// with \\, \t, \n and \r escaped in the name and the reason; then the line
// "END " and the number of games. Addresses are left out: their keys are
// salted with the secret of one scoreboard.
//
// An import is all or nothing: every line must be a game the scoreboard
// would take (a name, a reachable result, a readable replay signed with that
// name) and the file must end with its count, or nothing is added. A game
// the scoreboard holds already (the same replay, or the same row without
// one) is left out, so importing a file twice adds its games once.
declare(strict_types=1);

require __DIR__ . '/lib/storage.php';
require __DIR__ . '/lib/submission.php';
require __DIR__ . '/lib/scores.php';
require __DIR__ . '/lib/verifier.php';

const TRANSFER_MAGIC = 'SKITTERWORM SCORES 2';
const ESCAPES = ['\\' => '\\\\', "\t" => '\t', "\n" => '\n', "\r" => '\r'];

function export_scores(PDO $db, $out): int
{
    fwrite($out, TRANSFER_MAGIC . "\n");
    $rows = $db->query('SELECT created, score, stage, wave, verified, name, reason, replay FROM scores ORDER BY id');
    $count = 0;
    while ($row = $rows->fetch(PDO::FETCH_NUM)) {
        $replay = is_resource($row[7]) ? stream_get_contents($row[7]) : $row[7];
        $row[5] = strtr($row[5], ESCAPES);
        $row[6] = strtr($row[6] ?? '', ESCAPES);
        $row[7] = $replay === null ? '' : base64_encode($replay);
        fwrite($out, implode("\t", $row) . "\n");
        $count++;
    }
    fwrite($out, "END $count\n");
    return $count;
}

// One line of the file as [created, score, stage, wave, state, name, reason,
// replay or null], or why it is no game the scoreboard would take.
function read_row(string $line): array|string
{
    $f = explode("\t", $line);
    if (count($f) !== 8 || !preg_match('/^\d{4}-\d\d-\d\d \d\d:\d\d\z/', $f[0])) {
        return 'not a game (eight fields, the first a date)';
    }
    $form = ['u' => '', 's' => '0', 'st' => $f[2], 'w' => $f[3]];
    $name = preg_match('//u', $f[5]) ? iconv('UTF-8', 'ISO-8859-1', strtr($f[5], array_flip(ESCAPES))) : false;
    if ($name === false) {
        return 'a name the game cannot type';
    }
    $problem = name_problem($name);
    if ($problem !== null) {
        return $problem;
    }
    if (!preg_match('/^\d{1,10}\z/', $f[1]) || number($form, 'st', 1, MAX_STAGE) === null
        || number($form, 'w', 1, MAX_WAVE) === null || (int) $f[1] > (int) $f[2] * MAX_SCORE_PER_STAGE) {
        return 'a result no game reaches';
    }
    $replay = base64_decode($f[7], true);
    $state = (int) $f[4];
    if ($replay === false || strlen($replay) > MAX_REPLAY_BYTES || !preg_match('/^[0-3]\z/', $f[4])) {
        return 'a damaged state or replay';
    }
    if ($replay === '' && $state !== UNVERIFIED) {
        return 'a verified, waiting or refused game without its replay';
    }
    $reason = strtr($f[6], array_flip(ESCAPES));
    return [$f[0], (int) $f[1], (int) $f[2], (int) $f[3], $state, $name, $state === REFUSED ? $reason : null,
        $replay === '' ? null : $replay];
}

// Reads and checks the whole file: the rows, each with its identity.
function read_file($in, string $verifier): array
{
    if (rtrim((string) fgets($in), "\n") !== TRANSFER_MAGIC) {
        throw new RuntimeException('not a scoreboard export of this version (its first line is not "'
            . TRANSFER_MAGIC . '")');
    }
    $rows = [];
    for ($line = 2; ($text = fgets($in)) !== false; $line++) {
        if (!str_ends_with($text, "\n")) {
            throw new RuntimeException("line $line is cut short");
        }
        $text = substr($text, 0, -1);
        if (preg_match('/^END (\d+)\z/', $text, $m)) {
            if ((int) $m[1] !== count($rows) || fgets($in) !== false) {
                throw new RuntimeException("the file ends with a count of $m[1] games but holds " . count($rows));
            }
            return $rows;
        }
        $row = read_row($text);
        if (is_string($row)) {
            throw new RuntimeException("line $line: $row");
        }
        $row[] = $row[7] === null ? null : identity_of($row, $verifier, $line);
        $rows[] = $row;
    }
    throw new RuntimeException('the file is cut short (no "END" line with its count)');
}

function identity_of(array $row, string $verifier, int $line): string
{
    if ($verifier === '') {
        throw new RuntimeException('games with replays need the verifier to read them (SCOREBOARD_VERIFIER)');
    }
    $identity = replay_identity($verifier, $row[7]);
    if (!isset($identity['digest'])) {
        throw new RuntimeException("line $line: " . ($identity['refused'] ?? $identity['failed']));
    }
    if ($identity['name'] !== $row[5]) {
        throw new RuntimeException("line $line: the replay is signed by another name");
    }
    return $identity['digest'];
}

// Adds the rows the scoreboard does not hold yet, in one transaction.
// Returns [added, left out].
function import_rows(PDO $db, array $rows): array
{
    $sqlite = is_sqlite($db);
    $sqlite ? $db->exec('BEGIN IMMEDIATE') : $db->beginTransaction();
    $known = $db->prepare('SELECT 1 FROM scores WHERE digest = :digest');
    $same = $db->prepare('SELECT 1 FROM scores WHERE replay IS NULL AND created = :created AND name = :name
        AND score = :score AND stage = :stage AND wave = :wave');
    $insert = $db->prepare('INSERT INTO scores (created, score, stage, wave, verified, name, reason, replay, digest,
        address, posted) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, \'\', 0)');
    $added = 0;
    foreach ($rows as $row) {
        $row[5] = to_utf8($row[5]);
        if ($row[8] !== null) {
            $known->execute([':digest' => $row[8]]);
            $there = $known->fetchColumn() !== false;
        } else {
            $same->execute([':created' => $row[0], ':name' => $row[5], ':score' => $row[1], ':stage' => $row[2],
                ':wave' => $row[3]]);
            $there = $same->fetchColumn() !== false;
        }
        if ($there) {
            continue;
        }
        foreach ($row as $i => $value) {
            $type = is_int($value) ? PDO::PARAM_INT : ($value === null ? PDO::PARAM_NULL
                : ($i === 7 ? PDO::PARAM_LOB : PDO::PARAM_STR));
            $insert->bindValue($i + 1, $value, $type);
        }
        $insert->execute();
        $added++;
    }
    $sqlite ? $db->exec('COMMIT') : $db->commit();
    return [$added, count($rows) - $added];
}

[, $how, $file] = $argv + [null, '', ''];
if (!in_array($how, ['--export', '--import'], true) || $file === '') {
    fwrite(STDERR, "usage: transfer.php --export FILE | --import FILE\n");
    exit(2);
}
try {
    $db = database();
    ensure_schema($db);
    if ($how === '--export') {
        $out = $file === '-' ? STDOUT : @fopen($file, 'wb');
        if (!$out) {
            throw new RuntimeException("cannot write $file");
        }
        $count = export_scores($db, $out);
        if (!fflush($out) || ($out !== STDOUT && !fclose($out))) {
            throw new RuntimeException("cannot write $file");
        }
        fwrite(STDERR, "scoreboard: exported $count scores\n");
    } else {
        $in = $file === '-' ? STDIN : @fopen($file, 'rb');
        if (!$in) {
            throw new RuntimeException("cannot read $file");
        }
        [$added, $known] = import_rows($db, read_file($in, setting('SCOREBOARD_VERIFIER', '')));
        fwrite(STDERR, "scoreboard: imported $added scores" . ($known ? ", left out $known held already" : '') . "\n");
    }
} catch (Throwable $e) {
    fwrite(STDERR, 'scoreboard: ' . $e->getMessage() . ($how === '--import' ? '; nothing was imported' : '') . "\n");
    exit(1);
}
