// The single-page version of the quiz: one question at a time.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { exportQuiz, frameNamed, repoRoot, screenshot, startBrowser, texts, watchConsole } from './helpers.mjs';

const questions = [
  'What is the capital of France?',
  'Name a primary colour.',
  'Which city is called the Big Apple?',
  'How do you say coffee in French?',
  'Two coffees at 2.50',
  'Complete the saying',
  'Type the closing tag',
];

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

async function openPage(options = {}, randomValues = null) {
  const exported = exportQuiz({ mode: 'single', ...options });
  const page = await browser.newPage();
  const problems = watchConsole(page);
  if (randomValues) {
    await page.addInitScript((values) => {
      let i = 0;
      window.TavrelRandom = () => values[i++ % values.length];
    }, randomValues);
  }
  await page.goto(exported.url);
  return { page, problems, exported };
}

async function questionOrder(page) {
  const seen = [];
  for (let i = 0; i < questions.length; i++) {
    const text = await page.locator('#QText').innerText();
    seen.push(questions.findIndex((q) => text.startsWith(q)));
    if (i < questions.length - 1) await page.getByRole('button', { name: 'Next question' }).click();
  }
  return seen;
}

async function check(page, guess) {
  await page.fill('#Guess', guess);
  await page.getByRole('button', { name: texts.editCheck, exact: true }).click();
  const dialog = page.getByRole('dialog');
  await dialog.waitFor();
  const text = (await page.locator('#PopupText').innerText()).trim();
  await page.getByRole('button', { name: texts.editOKCaption, exact: true }).click();
  await dialog.waitFor({ state: 'hidden' });
  return text;
}

describe('single page', () => {
  test('next and previous go through every question in list order without shuffling', async () => {
    const { page, problems } = await openPage({ switches: { chkShuffleQs: 0 } });
    assert.deepEqual(await questionOrder(page), [0, 1, 2, 3, 4, 5, 6]);
    assert.equal((await page.locator('#QHead').innerText()).trim(), '7 / 7');
    await page.getByRole('button', { name: 'Previous question' }).click();
    assert.equal((await page.locator('#QHead').innerText()).trim(), '6 / 7');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('shuffled order follows the page\'s random source', async () => {
    // Fisher-Yates from the end with these numbers: j = floor(r * (i + 1)).
    const values = [0, 0, 0, 0, 0, 0];
    const { page, problems } = await openPage({ switches: { chkShuffleQs: 1 } }, values);
    // Always swapping with the first element rotates the list by one.
    assert.deepEqual(await questionOrder(page), [1, 2, 3, 4, 5, 6, 0]);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('feedback in a dialog with the OK caption, focus back where it was', async () => {
    const { page, problems } = await openPage({ switches: { chkShuffleQs: 0, chkContinuousScoring: 1 } });
    assert.equal(await check(page, ''), texts.editPleaseEnter);
    assert.equal(await check(page, 'Rome'), texts.editGuessIncorrect);
    await page.fill('#Guess', 'Pa');
    await page.press('#Guess', 'Enter');
    assert.match(await page.locator('#PopupText').innerText(), /This much is correct: Pa/);
    assert.ok(await page.evaluate(() => document.activeElement.id === 'PopupOK'));
    await page.keyboard.press('Enter');
    await page.getByRole('dialog').waitFor({ state: 'hidden' });
    assert.ok(await page.evaluate(() => document.activeElement.id === 'Guess'), 'focus back in the box');
    const right = await check(page, 'paris');
    assert.match(right, /^Correct!/);
    assert.match(right, /first time: 0 \/ 7/);
    const bg = await page.locator('#Popup').evaluate((e) => getComputedStyle(e).backgroundColor);
    assert.equal(bg, 'rgb(255, 255, 255)');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('hint, show answer, accented answers and scoring', async () => {
    const { page, problems } = await openPage({ switches: { chkShuffleQs: 0, chkContinuousScoring: 0 } });
    await page.getByRole('button', { name: texts.editHint }).click();
    assert.equal(await page.inputValue('#Guess'), 'P');
    await page.getByRole('button', { name: texts.editOKCaption, exact: true }).click();
    const guesses = ['Paris', 'yellow', 'new york city', 'CAF\u00c9', '5 \u20ac', 'life', '</script>'];
    let last = '';
    for (let i = 0; i < guesses.length; i++) {
      last = await check(page, guesses[i]);
      assert.match(last, /^Correct!/, `question ${i + 1}`);
      if (i < guesses.length - 1) {
        assert.doesNotMatch(last, /Your score/);
        await page.getByRole('button', { name: 'Next question' }).click();
      }
    }
    assert.match(last, /first time: 6 \/ 7/);
    assert.match(last, /Your score is: 86%/);
    await page.getByRole('button', { name: texts.editShow }).click();
    assert.match(await page.locator('#PopupText').innerText(), /Correct answers: <\/script>/);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('with a reading both frames load', async () => {
    const { page, problems, exported } = await openPage({ reading: 'typed', switches: { chkShuffleQs: 0 } });
    assert.deepEqual(exported.written.map((p) => p.split('/').pop()), ['quizr.htm', 'quizc.htm', 'quiz.htm']);
    const reading = await frameNamed(page, 'ReadingFrame');
    const code = await frameNamed(page, 'CodeFrame');
    assert.match(await reading.locator('h1').innerText(), /A short reading about caf\u00e9s/);
    assert.match(await reading.locator('body').innerText(), /2\.50 \u20ac/);
    assert.match(await code.locator('#QText').innerText(), /capital of France/);
    await screenshot(page, 'single-reading-1280.png');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.waitForTimeout(200);
    await screenshot(page, 'single-reading-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('screenshots at desktop and phone width', async () => {
    const { page, problems } = await openPage({ switches: { chkShuffleQs: 0 } });
    await screenshot(page, 'single-1280.png');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.fill('#Guess', 'Lyon');
    await page.press('#Guess', 'Enter');
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth > window.innerWidth + 1);
    assert.equal(overflow, false, 'no sideways scrolling');
    await screenshot(page, 'single-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });
});

// A student who uses no mouse: the example quiz with the supplied
// configuration, driven by Tab, Shift+Tab, Enter, Space, Escape and typing.
describe('single page by keyboard alone', () => {
  const capitals = join(repoRoot, 'examples', 'capitals.aky');
  const config = join(repoRoot, 'resources', 'beside', 'english4.cfg');

  const focused = (page) => page.evaluate(() => {
    const e = document.activeElement;
    return { id: e ? e.id : '', text: e ? e.textContent.trim() : '' };
  });
  // Presses key until the element with this id has the focus.
  async function moveTo(page, id, key = 'Tab') {
    for (let i = 0; i < 12; i++) {
      if ((await focused(page)).id === id) return focused(page);
      await page.keyboard.press(key);
    }
    assert.fail(`${key} never reached #${id}; focus on #${(await focused(page)).id}`);
  }
  // The feedback dialog: open and holding the focus on its OK button.
  async function feedback(page) {
    await page.locator('#Popup[open]').waitFor();
    assert.deepEqual(await focused(page), { id: 'PopupOK', text: 'OK' });
    return (await page.locator('#PopupText').innerText()).trim();
  }
  async function closed(page, key) {
    await page.keyboard.press(key);
    await page.locator('#Popup').waitFor({ state: 'hidden' });
    return focused(page);
  }
  const head = async (page) => (await page.locator('#QHead').innerText()).trim();

  test('answer, feedback, hint, show answer, next and previous, final score', async () => {
    const exported = exportQuiz({ mode: 'single', quiz: capitals, config });
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.goto(exported.url);
    assert.equal((await page.locator('#ExTitle').innerText()).trim(), 'European capitals');
    assert.equal((await page.locator('#ExSubtitle').innerText()).trim(), 'Short-answer quiz');

    // Question 1, right first time; the dialog closes with Enter on OK.
    await moveTo(page, 'PrevQ');
    await moveTo(page, 'Guess');
    assert.equal(await head(page), '1 / 8');
    await page.keyboard.type('paris');
    await page.keyboard.press('Enter');
    let text = await feedback(page);
    assert.match(text, /^Correct! Well done\./);
    assert.match(text, /Questions answered correctly the first time: 1 \/ 8/);
    // The way on is the next key: the next open question.
    assert.deepEqual(await closed(page, 'Enter'), { id: 'QNextButton', text: '\u2192 2' });

    // The check button as well, by Space; Escape closes the dialog.
    assert.deepEqual(await moveTo(page, 'CheckButton'), { id: 'CheckButton', text: 'Check' });
    await page.keyboard.press(' ');
    assert.match(await feedback(page), /^Correct! Well done\./);
    assert.equal((await closed(page, 'Escape')).id, 'CheckButton');

    // Next question from the arrow button, back up the tab order.
    await moveTo(page, 'NextQ', 'Shift+Tab');
    await page.keyboard.press('Enter');
    assert.equal(await head(page), '2 / 8');
    assert.match(await page.locator('#QText').innerText(), /capital of Italy/);

    // Hint by Space, Show answer by Enter.
    await moveTo(page, 'Guess');
    await page.keyboard.type('R');
    assert.deepEqual(await moveTo(page, 'HintButton'), { id: 'HintButton', text: 'Hint' });
    await page.keyboard.press(' ');
    assert.equal(await feedback(page), 'The next correct letter has been added for you.');
    assert.equal(await page.inputValue('#Guess'), 'Ro');
    assert.equal((await closed(page, 'Escape')).id, 'HintButton');
    assert.deepEqual(await moveTo(page, 'ShowButton'), { id: 'ShowButton', text: 'Show answer' });
    await page.keyboard.press('Enter');
    assert.equal(await feedback(page), 'Acceptable answers: Rome, Roma');
    assert.equal((await closed(page, ' ')).id, 'ShowButton');

    // Previous question keeps its answer and its mark; then onwards.
    await moveTo(page, 'PrevQ', 'Shift+Tab');
    await page.keyboard.press('Enter');
    assert.equal(await head(page), '1 / 8 \u2713');
    assert.equal(await page.inputValue('#Guess'), 'paris');
    await moveTo(page, 'NextQ');
    await page.keyboard.press('Enter');
    // Its answer was shown: marked so, not as answered right.
    assert.equal(await head(page), '2 / 8 \u25D0');
    await page.keyboard.press('Enter');
    assert.equal(await head(page), '3 / 8');

    const rest = ['Madrid', 'Berlin', 'lisboa', 'Dublin', 'Amsterdam', 'brussels'];
    for (let i = 0; i < rest.length; i++) {
      await moveTo(page, 'Guess');
      await page.keyboard.type(rest[i]);
      await page.keyboard.press('Enter');
      text = await feedback(page);
      assert.match(text, /^Correct! Well done\./, rest[i]);
      assert.equal((await closed(page, 'Enter')).id, i < rest.length - 1 ? 'QNextButton' : 'Guess');
      if (i < rest.length - 1) {
        await moveTo(page, 'NextQ', 'Shift+Tab');
        await page.keyboard.press('Enter');
        // Fails when the closing dialog pulls the focus back after the
        // student has moved on, so that Enter lands on another control.
        assert.equal(await head(page), `${i + 4} / 8`, 'Enter on the next-question button');
      }
    }
    // Question 2 was helped, the other seven right first time.
    assert.match(text, /These answers are also correct: Bruxelles, Brussel/);
    assert.match(text, /Questions answered correctly the first time: 7 \/ 8\s+Your score is: 88%/);
    assert.equal((await page.locator('#Score').innerText()).trim(),
      'Questions answered correctly the first time: 7 / 8\nYour score is: 88%');
    assert.equal(await head(page), '8 / 8 \u2713');
    assert.deepEqual(problems, []);
    await page.close();
  });
});
