<?php
// The leaderboard as a web page, and each listed score's replay for download.
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

// A game's length as minutes and seconds (sixty frames a second): "6:07".
function play_time(int $frames): string
{
    $seconds = intdiv($frames, 60);
    return intdiv($seconds, 60) . ':' . sprintf('%02d', $seconds % 60);
}

function web_page(): never
{
    answer(200, cached('page', 'page_text'), 'text/html; charset=utf-8');
}

function page_text(): string
{
    $rows = '';
    foreach (top_rows(0, PAGE_ROWS) as $i => $row) {
        // Relative to the page itself, whatever path the request named.
        $replay = $row['has_replay'] ? '<a href="?replay=' . (int) $row['id'] . '">replay</a>' : '';
        $length = $row['has_replay'] && $row['frames'] > 0 ? play_time((int) $row['frames']) : '';
        $rows .= '<tr><td>' . ($i + 1) . '</td><td>' . html($row['name'] === '' ? '-' : $row['name']) . '</td><td>'
            . (int) $row['score'] . '</td><td>' . html(stage_text((int) $row['stage'])) . ':' . (int) $row['wave']
            . '</td><td>' . ((int) $row['verified'] === VERIFIED ? '&#10003; verified' : '') . '</td><td>' . $length
            . '</td><td>' . $replay . '</td><td>'
            . html((string) $row['created']) . "</td></tr>\n";
    }
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Skitterworm world leaderboard</title>"
        . "</head><body><h1>Skitterworm world leaderboard</h1>\n<p>A verified score was proven by playing its replay "
        . "again on the server. A downloaded replay plays in the game with <code>skitterworm --replay FILE</code>, "
        . "or from the game's own online table.</p>\n<table>\n<tr><th></th><th>Name</th><th>Score</th><th>Reached</th><th>Verified</th>"
        . "<th>Played</th><th>Replay</th><th>Date (UTC)</th></tr>\n$rows</table>\n" . footer() . "</body></html>\n";
}

// How many games wait for verification and whether it works; the reasons
// stay in the log and `scripts/scoreboard --status`.
function footer(): string
{
    if (setting('SCOREBOARD_VERIFIER', '') === '') {
        return '';
    }
    [$waiting, $state] = verification_status();
    $works = match ($state) {
        'ok', 'started' => 'Verification works.',
        'no worker' => 'No verifier is running at the moment.',
        default => 'Verification does not work at the moment.',
    };
    return '<footer><p>' . ($waiting === 1 ? '1 game waits' : "$waiting games wait") . " for verification. $works"
        . "</p></footer>\n";
}

function replay_download(mixed $id): never
{
    $replay = is_string($id) && preg_match('/^[0-9]{1,18}\z/', $id) ? replay_of((int) $id) : null;
    if ($replay === null) {
        refuse(404, 'no such replay');
    }
    header("Content-Disposition: attachment; filename=\"skitterworm-$id.replay\"");
    answer(200, $replay, 'application/octet-stream');
}
