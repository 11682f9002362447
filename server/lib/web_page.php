<?php
// The leaderboard as a web page, and each stored replay for download.
declare(strict_types=1);

const PAGE_ROWS = 100;

function html(string $text): string
{
    return htmlspecialchars($text, ENT_QUOTES | ENT_SUBSTITUTE, 'UTF-8');
}

// Stage 1 is A, as the game shows it; stages past Z get their number.
function stage_text(int $stage): string
{
    return $stage >= 1 && $stage <= 26 ? chr(64 + $stage) : "#$stage";
}

function web_page(PDO $db, string $script): never
{
    $rows = '';
    foreach (top_rows($db, 0, PAGE_ROWS) as $i => $row) {
        $replay = $row['has_replay'] ? '<a href="' . html($script . '?replay=' . $row['id']) . '">replay</a>' : '';
        $rows .= '<tr><td>' . ($i + 1) . '</td><td>' . html($row['name'] === '' ? '-' : $row['name']) . '</td><td>'
            . (int) $row['score'] . '</td><td>' . html(stage_text((int) $row['stage'])) . ':' . (int) $row['wave']
            . '</td><td>' . ($row['verified'] ? '&#10003; verified' : '') . "</td><td>$replay</td><td>"
            . html((string) $row['created']) . "</td></tr>\n";
    }
    answer(200, "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Skitterworm world leaderboard</title>"
        . "</head><body><h1>Skitterworm world leaderboard</h1>\n<p>A verified score was proven by playing its replay "
        . "again on the server.</p>\n<table>\n<tr><th></th><th>Name</th><th>Score</th><th>Reached</th><th>Verified</th>"
        . "<th>Replay</th><th>Date (UTC)</th></tr>\n$rows</table></body></html>\n", 'text/html; charset=utf-8');
}

function replay_download(PDO $db, string $id): never
{
    $replay = preg_match('/^[0-9]{1,18}$/', $id) ? replay_of($db, (int) $id) : null;
    if ($replay === null) {
        refuse(404, 'no such replay');
    }
    header("Content-Disposition: attachment; filename=\"skitterworm-$id.replay\"");
    answer(200, $replay, 'application/octet-stream');
}
