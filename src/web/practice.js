// Practice mode: the user picks the waits of the hand shown and is scored. The module makes
// the hands and knows their waits; this side keeps the choice, the verdict and the score.
import { cString, drawOn, keep, sizeCanvas } from './module.js';

const SCORE_KEY = 'velkorin-score';
const KEPT_TIMES = 500; // answer times kept for the median
const $ = (id) => document.getElementById(id);

function loadScore() {
  try {
    const s = JSON.parse(localStorage.getItem(SCORE_KEY));
    if (s && Number.isInteger(s.hands) && Array.isArray(s.times)) return s;
  } catch {
    // unreadable: start again
  }
  return { hands: 0, right: 0, streak: 0, best: 0, times: [] };
}

function median(values) {
  if (!values.length) return null;
  const sorted = [...values].sort((a, b) => a - b), mid = sorted.length >> 1;
  return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

function showScore(score) {
  const time = median(score.times);
  $('score-hands').textContent = String(score.hands);
  $('score-right').textContent = String(score.right);
  $('score-streak').textContent = String(score.streak);
  $('score-best').textContent = String(score.best);
  $('score-time').textContent = time === null ? '-' : `${(time / 1000).toFixed(1)} s`;
}

export function runPractice(wasm, seed) {
  const hand = $('hand'), picker = $('picker'), verdict = $('verdict'), splits = $('splits');
  const ranks = [];
  let score = loadScore(), chosen = new Set(), shownAt = 0, checked = false, hands = 0;
  wasm.PracticeStart(seed);

  const ratio = window.devicePixelRatio || 1;
  wasm.PracticeFit(Math.floor((document.documentElement.clientWidth - 16) * ratio), Math.round(ratio * 100));
  for (let rank = 1; rank <= 9; ++rank) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'rank';
    button.setAttribute('aria-pressed', 'false');
    button.setAttribute('aria-label', String(rank));
    const tile = document.createElement('canvas');
    sizeCanvas(tile, wasm.TileRowWidth(1), wasm.TileRowHeight());
    drawOn(tile, () => wasm.DrawTile(rank));
    const note = document.createElement('span');
    note.className = 'note';
    button.append(tile, note);
    button.addEventListener('click', () => toggle(rank));
    picker.append(button);
    ranks[rank] = button;
  }
  ranks[0] = $('none');
  ranks[0].addEventListener('click', () => toggle(0));

  function toggle(rank) {
    if (checked) return;
    if (chosen.has(rank)) chosen.delete(rank);
    else {
      // "None" and a rank exclude each other.
      if (rank === 0) chosen.clear();
      else chosen.delete(0);
      chosen.add(rank);
    }
    for (let r = 0; r <= 9; ++r) ranks[r].setAttribute('aria-pressed', String(chosen.has(r)));
  }

  function next() {
    wasm.PracticeNext();
    sizeCanvas(hand, wasm.TileRowWidth(13), wasm.TileRowHeight());
    const context = hand.getContext('2d', { alpha: false });
    context.fillStyle = '#000000';
    context.fillRect(0, 0, hand.width, hand.height);
    drawOn(hand, () => wasm.PracticeDrawHand());
    hand.setAttribute('aria-label',
      'Hand: ' + Array.from({ length: 13 }, (_, i) => wasm.PracticeHand(i + 1)).join(' '));
    chosen = new Set();
    checked = false;
    for (let r = 0; r <= 9; ++r) {
      ranks[r].setAttribute('aria-pressed', 'false');
      delete ranks[r].dataset.mark;
      ranks[r].querySelector('.note').textContent = '';
    }
    verdict.textContent = '';
    splits.hidden = true;
    $('check').disabled = false;
    shownAt = performance.now();
    hand.dataset.hand = String(++hands);
  }

  function check() {
    if (checked) return;
    if (!chosen.size) {
      verdict.textContent = 'Choose the waits, or None.';
      return;
    }
    checked = true;
    const waits = wasm.PracticeWaits();
    const found = [], missed = [], wrong = [];
    let tiles = 0;
    for (let r = 0; r <= 9; ++r) {
      const wait = (waits >> r) & 1, picked = chosen.has(r);
      const mark = wait && picked ? 'found' : wait ? 'missed' : picked ? 'wrong' : '';
      if (mark) ranks[r].dataset.mark = mark;
      if (mark === 'found') found.push(r);
      if (mark === 'missed') missed.push(r);
      if (mark === 'wrong') wrong.push(r);
      if (wait && r > 0) {
        const left = wasm.PracticeTilesLeft(r);
        tiles += left;
        ranks[r].querySelector('.note').textContent = `${left} left`;
      }
    }
    const right = !missed.length && !wrong.length;
    const name = (r) => (r === 0 ? 'None' : String(r));
    const parts = [right ? 'Right.' : 'Not quite.'];
    if (found.length) parts.push(`Found: ${found.map(name).join(' ')}.`);
    if (missed.length) parts.push(`Missed: ${missed.map(name).join(' ')}.`);
    if (wrong.length) parts.push(`Wrong: ${wrong.map(name).join(' ')}.`);
    if (!(waits & 1)) parts.push(`${tiles} ${tiles === 1 ? 'tile' : 'tiles'} left.`);
    verdict.textContent = parts.join(' ');
    showSplits(waits);

    score.hands += 1;
    score.right += right ? 1 : 0;
    score.streak = right ? score.streak + 1 : 0;
    score.best = Math.max(score.best, score.streak);
    score.times = [...score.times, Math.round(performance.now() - shownAt)].slice(-KEPT_TIMES);
    keep(SCORE_KEY, score);
    showScore(score);
    $('check').disabled = true;
    $('next').focus();
  }

  // How each wait completes the hand, drawn by the module, and told as text to a screen reader.
  function showSplits(waits) {
    if (waits & 1) return;
    sizeCanvas(splits, wasm.PracticeSplitsWidth(), wasm.PracticeSplitsHeight());
    const context = splits.getContext('2d', { alpha: false });
    context.fillStyle = '#000000';
    context.fillRect(0, 0, splits.width, splits.height);
    drawOn(splits, () => wasm.PracticeDrawSplits());
    const told = [];
    for (let r = 1; r <= 9; ++r)
      if ((waits >> r) & 1) told.push(`${r}: ${cString(wasm.PracticeSplitText(r))}`);
    splits.setAttribute('aria-label', `How each wait completes the hand. ${told.join('; ')}`);
    splits.hidden = false;
  }

  $('check').addEventListener('click', check);
  $('next').addEventListener('click', next);
  $('reset-score').addEventListener('click', () => {
    keep(SCORE_KEY);
    score = loadScore();
    showScore(score);
  });
  // Keys act on the drill unless a settings field has them.
  document.addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.metaKey || event.altKey || event.target.closest('#settings')) return;
    const key = event.key, onButton = event.target.closest('button');
    if (key >= '0' && key <= '9') toggle(Number(key));
    // Enter checks, and once checked goes on; Space presses a focused button, as everywhere.
    else if (key === 'Enter') (checked ? next : check)();
    else if (key === ' ' && onButton) return;
    else if (key === ' ' || key === 'n' || key === 'N') next();
    else return;
    event.preventDefault();
  });
  showScore(score);
  next();
}
