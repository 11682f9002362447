<?php
// Moves scores between scoreboards (SQLite and PostgreSQL alike):
//   php transfer.php --export FILE   writes every stored score ("-": standard output)
//   php transfer.php --import FILE   adds the scores of such a file
// The database is the one the server script would use (SCOREBOARD_DSN, or
// SCOREBOARD_SQLITE). The file is plain UTF-8 text: the line
// "SKITTERWORM SCORES 1", then one line per score, oldest first, of eight
// fields separated by tabs:
//   created (UTC, "YYYY-MM-DD HH:MM"), score, stage, wave, verified (0 or 1),
//   name (with \\, \t, \n and \r escaped), seed of its replay, replay (base64)
// with the last two empty when there is no replay. Addresses are left out:
// their keys are salted with the secret of one scoreboard.
declare(strict_types=1);

require __DIR__ . '/lib/storage.php';

const TRANSFER_MAGIC = 'SKITTERWORM SCORES 1';
const ESCAPES = ['\\' => '\\\\', "\t" => '\t', "\n" => '\n', "\r" => '\r'];

function export_scores(PDO $db, $out): int
{
    fwrite($out, TRANSFER_MAGIC . "\n");
    $rows = $db->query('SELECT created, score, stage, wave, verified, name, seed, replay FROM scores ORDER BY id');
    $count = 0;
    while ($row = $rows->fetch(PDO::FETCH_NUM)) {
        $replay = is_resource($row[7]) ? stream_get_contents($row[7]) : $row[7];
        $row[5] = strtr($row[5], ESCAPES);
        $row[6] ??= '';
        $row[7] = $replay === null ? '' : base64_encode($replay);
        fwrite($out, implode("\t", $row) . "\n");
        $count++;
    }
    return $count;
}

// Checks every line before it stores any, in one transaction: a damaged
// file adds nothing.
function import_scores(PDO $db, $in): int
{
    if (rtrim((string) fgets($in), "\n") !== TRANSFER_MAGIC) {
        throw new RuntimeException('not a scoreboard export (its first line is not "' . TRANSFER_MAGIC . '")');
    }
    $rows = [];
    for ($line = 2; ($text = fgets($in)) !== false; $line++) {
        $f = explode("\t", rtrim($text, "\n"));
        $numbers = count($f) === 8 && preg_match('/^\d{4}-\d\d-\d\d \d\d:\d\d$/', $f[0])
            && ctype_digit($f[1]) && ctype_digit($f[2]) && ctype_digit($f[3]) && in_array($f[4], ['0', '1'], true);
        $replay = $numbers ? base64_decode($f[7], true) : false;
        if (!$numbers || $replay === false || !preg_match('//u', $f[5]) || !preg_match('/^(-?\d{1,20})?$/', $f[6])) {
            throw new RuntimeException("line $line is not a score");
        }
        $f[5] = strtr($f[5], array_flip(ESCAPES));
        $f[6] = $f[6] === '' ? null : $f[6];
        $f[7] = $replay === '' ? null : $replay;
        $rows[] = $f;
    }
    $db->beginTransaction();
    $insert = $db->prepare('INSERT INTO scores (created, score, stage, wave, verified, name, seed, replay, address,
        posted) VALUES (?, ?, ?, ?, ?, ?, ?, ?, \'\', 0)');
    foreach ($rows as $f) {
        foreach ($f as $i => $value) {
            $type = $i === 7 ? ($value === null ? PDO::PARAM_NULL : PDO::PARAM_LOB) : PDO::PARAM_STR;
            $insert->bindValue($i + 1, in_array($i, [1, 2, 3, 4], true) ? (int) $value : $value,
                in_array($i, [1, 2, 3, 4], true) ? PDO::PARAM_INT : $type);
        }
        $insert->execute();
    }
    $db->commit();
    return count($rows);
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
    } else {
        $in = $file === '-' ? STDIN : @fopen($file, 'rb');
        if (!$in) {
            throw new RuntimeException("cannot read $file");
        }
        $count = import_scores($db, $in);
    }
    fwrite(STDERR, 'scoreboard: ' . ($how === '--export' ? 'exported' : 'imported') . " $count scores\n");
} catch (Throwable $e) {
    fwrite(STDERR, 'scoreboard: ' . $e->getMessage() . "\n");
    exit(1);
}
