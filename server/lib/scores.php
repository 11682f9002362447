<?php
// Reading and storing scores: the leaderboard's rows, the count, every
// scoring attempt counted against its network's limit, and each game stored
// once, whoever posts it.
declare(strict_types=1);

const DUPLICATE_SECONDS = 600;
const REPLAY_HEAD_BYTES = 512;  // enough for every header line before "frames"  // a retry of the same game within this is the same submission

// Which scores are listed. With a verifier, only verified ones unless
// SCOREBOARD_LIST_UNVERIFIED says otherwise; pending and refused games never.
function listed_only(): string
{
    $verifier = setting('SCOREBOARD_VERIFIER', '') !== '';
    return flag_setting('SCOREBOARD_LIST_UNVERIFIED', !$verifier) ? 'verified <= 1' : 'verified = 1';
}

function top_rows(int $first, int $count): array
{
    return with_db(function (PDO $db) use ($first, $count) {
        // The replay's header (plain text before its compressed inputs) names its rules and length.
        $query = $db->prepare('SELECT id, created, name, score, stage, wave, verified, replay IS NOT NULL AS has_replay,
            substr(replay, 1, ' . REPLAY_HEAD_BYTES . ') AS head FROM scores WHERE ' . listed_only() . ' ORDER BY score DESC, id ASC LIMIT :count OFFSET :first');
        $query->bindValue(':count', $count, PDO::PARAM_INT);
        $query->bindValue(':first', $first, PDO::PARAM_INT);
        $query->execute();
        return array_map(function (array $row) {
            $head = is_resource($row['head']) ? stream_get_contents($row['head']) : (string) $row['head'];
            unset($row['head']);
            return $row + replay_facts($head);
        }, $query->fetchAll(PDO::FETCH_ASSOC));
    });
}

// What a replay's header says of the game: the rules it was played by (a
// header without that line is of the first rules) and its frames (60 a second).
function replay_facts(string $head): array
{
    if (!str_starts_with($head, "SKITTERWORM REPLAY")) {
        return ['rules' => 0, 'frames' => 0];
    }
    $line = fn (string $key, int $otherwise) => preg_match("/^$key (\\d{1,9})\r?$/m", $head, $m) ? (int) $m[1]
        : $otherwise;
    return ['rules' => $line('rules', 1), 'frames' => $line('frames', 0)];
}

function score_count(): int
{
    return with_db(fn (PDO $db) => (int) $db->query('SELECT COUNT(*) FROM scores WHERE ' . listed_only())
        ->fetchColumn());
}

// A listed score's replay, or null.
function replay_of(int $id): ?string
{
    return with_db(function (PDO $db) use ($id) {
        $query = $db->prepare('SELECT replay FROM scores WHERE id = :id AND replay IS NOT NULL AND '
            . listed_only());
        $query->execute([':id' => $id]);
        $replay = $query->fetchColumn();
        return is_resource($replay) ? stream_get_contents($replay) : ($replay === false ? null : $replay);
    });
}

// Counts a scoring attempt of the network against its limit; false when it
// is over. An attempt over the limit costs one read and no write; one within
// it is written first and counted after, so attempts at once on any number
// of web nodes never pass the limit together.
function count_attempt(string $who): bool
{
    $limit = (int) setting('SCOREBOARD_RATE_LIMIT', '10');
    $since = time() - (int) setting('SCOREBOARD_RATE_WINDOW', '60');
    return with_db(function (PDO $db) use ($who, $limit, $since) {
        $recent = $db->prepare('SELECT COUNT(*) FROM (SELECT 1 FROM attempts WHERE address = :who
            AND posted > :since LIMIT :most) AS recent');
        $count = function () use ($recent, $who, $since, $limit): int {
            $recent->bindValue(':who', $who);
            $recent->bindValue(':since', $since, PDO::PARAM_INT);
            $recent->bindValue(':most', $limit + 1, PDO::PARAM_INT);
            $recent->execute();
            $count = (int) $recent->fetchColumn();
            // An open read would make SQLite refuse the write that follows.
            $recent->closeCursor();
            return $count;
        };
        if ($count() >= $limit) {
            return false;
        }
        $db->prepare('INSERT INTO attempts (address, posted) VALUES (:who, :now)')
            ->execute([':who' => $who, ':now' => time()]);
        return $count() <= $limit;
    });
}

// Stores the submission as a game in the given state (UNVERIFIED or
// PENDING), unless the same game is stored already. Returns true when the
// game is stored (now or before, by the same name), or [status, reason] when
// it is refused: another name holds the game, or it was refused before.
function store(Submission $submission, string $who, int $state, ?string $digest): array|true
{
    return with_db(function (PDO $db) use ($submission, $who, $state, $digest) {
        $name = to_utf8($submission->name);
        for ($try = 0; ; $try++) {
            $stored = stored_game($db, $submission, $who, $digest);
            if ($stored !== null) {
                if ($stored['name'] !== $name) {
                    return [409, 'this game is already on the scoreboard under another name'];
                }
                return (int) $stored['verified'] === REFUSED ? [422, (string) $stored['reason']] : true;
            }
            try {
                insert_game($db, $submission, $who, $state, $digest);
                return true;
            } catch (PDOException $e) {
                // Posted at the same time on another connection: answered as a re-post.
                if ($try > 0 || !in_array($e->getCode(), ['23000', '23505'], true)) {
                    throw $e;
                }
            }
        }
    });
}

// The stored game the submission repeats: the same game by its identity,
// or, for a game without one, a retry of the game from the same network
// under the same name with the same result (the game tries again after a
// time-out).
function stored_game(PDO $db, Submission $submission, string $who, ?string $digest): ?array
{
    if ($digest !== null) {
        $query = $db->prepare('SELECT name, verified, reason FROM scores WHERE digest = :digest');
        $query->execute([':digest' => $digest]);
    } else {
        $query = $db->prepare('SELECT name, verified, reason FROM scores WHERE address = :who AND name = :name
            AND score = :score AND stage = :stage AND wave = :wave AND posted > :since LIMIT 1');
        $query->execute([':who' => $who, ':name' => to_utf8($submission->name), ':score' => $submission->score,
            ':stage' => $submission->stage, ':wave' => $submission->wave, ':since' => time() - DUPLICATE_SECONDS]);
    }
    $row = $query->fetch(PDO::FETCH_ASSOC);
    $query->closeCursor();
    return $row === false ? null : $row;
}

function insert_game(PDO $db, Submission $submission, string $who, int $state, ?string $digest): void
{
    $insert = $db->prepare('INSERT INTO scores (name, score, stage, wave, created, address, posted, verified,
        digest, replay) VALUES (:name, :score, :stage, :wave, :created, :who, :posted, :state, :digest, :replay)');
    $insert->bindValue(':name', to_utf8($submission->name));
    $insert->bindValue(':score', $submission->score, PDO::PARAM_INT);
    $insert->bindValue(':stage', $submission->stage, PDO::PARAM_INT);
    $insert->bindValue(':wave', $submission->wave, PDO::PARAM_INT);
    $insert->bindValue(':created', gmdate('Y-m-d H:i'));
    $insert->bindValue(':who', $who);
    $insert->bindValue(':posted', time(), PDO::PARAM_INT);
    $insert->bindValue(':state', $state, PDO::PARAM_INT);
    $insert->bindValue(':digest', $digest);
    $insert->bindValue(':replay', $submission->replay, $submission->replay === null ? PDO::PARAM_NULL
        : PDO::PARAM_LOB);
    $insert->execute();
}
