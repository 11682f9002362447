<?php
// The games waiting for verification, as the verifier workers take them: a
// worker claims one pending game for a lease, verifies it and marks it
// verified or refused. A claim skips the games other workers hold
// (PostgreSQL's FOR UPDATE SKIP LOCKED; SQLite lets one writer at a time
// claim), so any number of workers on any number of machines never take one
// game together; a game whose worker died is taken again when its lease ends.
// The workers also report whether verification works, for the web page and
// `scripts/scoreboard --status`.
declare(strict_types=1);

// The oldest pending game that no live lease holds, now leased to $owner:
// [id, name, score, stage, wave, digest, replay], or null when none waits.
function claim_game(string $owner, int $lease): ?array
{
    return with_db(function (PDO $db) use ($owner, $lease) {
        $now = time();
        // Looked at first without writing: idle workers ask often.
        $waiting = $db->prepare('SELECT 1 FROM scores WHERE verified = ' . PENDING . ' AND lease_until < :now LIMIT 1');
        $waiting->execute([':now' => $now]);
        $none = $waiting->fetchColumn() === false;
        $waiting->closeCursor();
        if ($none) {
            return null;
        }
        $claim = $db->prepare('UPDATE scores SET lease_until = :until, lease_owner = :owner, tries = tries + 1
            WHERE id = (SELECT id FROM scores WHERE verified = ' . PENDING . ' AND lease_until < :now ORDER BY id
            LIMIT 1' . (is_sqlite($db) ? '' : ' FOR UPDATE SKIP LOCKED') . ')
            RETURNING id, name, score, stage, wave, digest, replay');
        $claim->execute([':until' => $now + $lease, ':owner' => $owner, ':now' => $now]);
        $game = $claim->fetch(PDO::FETCH_ASSOC);
        $claim->closeCursor();  // SQLite ends the claim's write only here
        if ($game === false) {
            return null;
        }
        $game['replay'] = is_resource($game['replay']) ? stream_get_contents($game['replay']) : $game['replay'];
        return $game;
    });
}

// Marks a claimed game verified or refused; false when the lease was lost
// (the game went to another worker), which then leaves it as it is.
function finish_game(int $id, string $owner, int $state, ?string $reason): bool
{
    return with_db(function (PDO $db) use ($id, $owner, $state, $reason) {
        $mark = $db->prepare('UPDATE scores SET verified = :state, reason = :reason, lease_until = 0,
            lease_owner = NULL WHERE id = :id AND lease_owner = :owner AND verified = ' . PENDING);
        $mark->execute([':state' => $state, ':reason' => $reason, ':id' => $id, ':owner' => $owner]);
        return $mark->rowCount() === 1;
    });
}

// Gives a claimed game back, to be taken again after $seconds.
function postpone_game(int $id, string $owner, int $seconds): void
{
    with_db(fn (PDO $db) => $db->prepare('UPDATE scores SET lease_until = :until, lease_owner = NULL
        WHERE id = :id AND lease_owner = :owner')->execute([':until' => time() + $seconds, ':id' => $id,
        ':owner' => $owner]));
}

// Gives a game whose identity was not known on posting its identity; false
// when the same game is stored already, and this copy is then dropped.
function identify_game(int $id, string $digest): bool
{
    return with_db(function (PDO $db) use ($id, $digest) {
        try {
            $db->prepare('UPDATE scores SET digest = :digest WHERE id = :id')->execute([':digest' => $digest,
                ':id' => $id]);
            return true;
        } catch (PDOException $e) {
            if (!in_array($e->getCode(), ['23000', '23505'], true)) {
                throw $e;
            }
            $db->prepare('DELETE FROM scores WHERE id = :id AND verified = ' . PENDING)->execute([':id' => $id]);
            return false;
        }
    });
}

// Records whether verification works ('ok', or why not) and that a worker lives.
function report_verifier(string $state): void
{
    with_db(fn (PDO $db) => $db->prepare('INSERT INTO board (name, value, at) VALUES (\'verifier\', :value, :at)
        ON CONFLICT (name) DO UPDATE SET value = excluded.value, at = excluded.at')
        ->execute([':value' => $state, ':at' => time()]));
}

// Drops the scoring attempts that no longer count toward any limit.
function prune_attempts(): void
{
    $since = time() - (int) setting('SCOREBOARD_RATE_WINDOW', '60');
    with_db(fn (PDO $db) => $db->prepare('DELETE FROM attempts WHERE posted <= :since')
        ->execute([':since' => $since]));
}

// How verification goes: [games waiting, 'ok' or why it fails or
// 'no worker' when none reported lately, seconds since a worker last did].
function verification_status(): array
{
    return with_db(function (PDO $db) {
        $waiting = (int) $db->query('SELECT COUNT(*) FROM scores WHERE verified = ' . PENDING)->fetchColumn();
        $report = $db->query("SELECT value, at FROM board WHERE name = 'verifier'")->fetch(PDO::FETCH_NUM);
        if ($report === false) {
            return [$waiting, 'no worker', null];
        }
        $age = time() - (int) $report[1];
        return [$waiting, $age > HEARTBEAT_SECONDS * 3 ? 'no worker' : $report[0], $age];
    });
}

const HEARTBEAT_SECONDS = 60;  // a live worker reports at least this often
